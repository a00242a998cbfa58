#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <list>

#include "support/dialogs.h"
#include "ui/skin/suiForm.h"

namespace {
std::list<SeenDialog> seen;
int answered = 0;
// A dialog is answered once per showing, so that answers asked for in a row
// go to the dialogs in the order they appear.
QList<QPointer<QWidget>> done;

class ForgetOnHide : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide) {
            done.removeAll(static_cast<QWidget*>(watched));
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};

void Poll(SeenDialog* record, QString caption, int triesLeft) {
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog == nullptr || done.contains(dialog)) {
        if (triesLeft > 0)
            QTimer::singleShot(50, [=] { Poll(record, caption, triesLeft - 1); });
        return;
    }
    auto* frame = dialog->findChild<suiForm*>();
    record->caption = frame ? frame->caption() : dialog->windowTitle();
    if (auto* text = dialog->findChild<QLabel*>("messageText"))
        record->text = text->text();
    QAbstractButton* target = nullptr;
    for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
        if (!button->objectName().startsWith("button") || !button->isVisible())
            continue;
        record->buttons << button->text();
        if (button->text() == caption)
            target = button;
    }
    ++answered;
    done.removeAll(nullptr);
    done.append(dialog);
    dialog->installEventFilter(new ForgetOnHide(dialog));
    if (target)
        target->click();
    else
        dialog->close();
}
} // namespace

const SeenDialog* AnswerNextDialog(const QString& buttonCaption) {
    seen.emplace_back();
    SeenDialog* record = &seen.back();
    QTimer::singleShot(0, [=] { Poll(record, buttonCaption, 200); });
    return record;
}

int AnsweredDialogCount() {
    return answered;
}
void ResetAnsweredDialogs() {
    answered = 0;
}
