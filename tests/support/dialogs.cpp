#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QTimer>
#include <algorithm>
#include <deque>
#include <list>

#include "support/dialogs.h"
#include "support/time_factor.h"
#include "ui/skin/suiForm.h"

namespace {
std::list<SeenDialog> seen;
// Answerers take the dialogs in the order they were asked for, whichever of
// their polls comes first.
std::deque<SeenDialog*> waiting;
int answered = 0;

constexpr int kPollMs = 50;
// How long an answerer waits for its dialog.
int Tries() {
    return Stretched(10000) / kPollMs;
}
// A file dialog answerer still waiting is dropped when this moves on.
int fileAnswerer = 0;

void Poll(SeenDialog* record, QString caption, int triesLeft) {
    if (std::find(waiting.begin(), waiting.end(), record) == waiting.end())
        return; // given up by a reset
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog == nullptr || qobject_cast<QFileDialog*>(dialog) || waiting.front() != record) {
        if (triesLeft > 0)
            QTimer::singleShot(kPollMs, [=] { Poll(record, caption, triesLeft - 1); });
        else
            std::erase(waiting, record);
        return;
    }
    waiting.pop_front();
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
    if (target)
        target->click();
    else
        dialog->close();
}
void PollFileDialog(int answerer, QString path, QString filter, std::function<void()> then,
                    int triesLeft) {
    if (answerer != fileAnswerer)
        return;
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) {
        if (triesLeft > 0)
            QTimer::singleShot(
                kPollMs, [=] { PollFileDialog(answerer, path, filter, then, triesLeft - 1); });
        return;
    }
    ++fileAnswerer;
    if (then)
        then();
    if (path.isEmpty())
        return dialog->reject();
    if (!filter.isEmpty())
        dialog->selectNameFilter(filter);
    dialog->selectFile(path);
    // Through the base class, where accept() is public; the dialog's own one runs.
    static_cast<QDialog*>(dialog)->accept();
}
} // namespace

const SeenDialog* AnswerNextDialog(const QString& buttonCaption) {
    seen.emplace_back();
    SeenDialog* record = &seen.back();
    waiting.push_back(record);
    QTimer::singleShot(0, [=] { Poll(record, buttonCaption, Tries()); });
    return record;
}

void AnswerNextFileDialog(const QString& path, const QString& filter, std::function<void()> then) {
    const int answerer = ++fileAnswerer;
    QTimer::singleShot(0, [=] { PollFileDialog(answerer, path, filter, then, Tries()); });
}

void StopAnsweringFileDialogs() {
    ++fileAnswerer;
}

int AnsweredDialogCount() {
    return answered;
}
void ResetAnsweredDialogs() {
    answered = 0;
    waiting.clear();
    StopAnsweringFileDialogs();
}
