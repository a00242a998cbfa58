#include "ui/skin/suiMessageDialog.h"

#include "ui/skin/suiBuiltInFileTheme.h"
#include "ui/skin/suiForm.h"

#include <QApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

constexpr int kMaxTextWidth = 420;
constexpr int kMinDialogWidth = 240;

// The window a notice answers: the modal window the user is in, else the
// active one, else the component's owner.
QWidget* AnsweredWindow(QWidget* owner) {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    return owner;
}

} // namespace

suiMessageDialog::suiMessageDialog(QWidget* parent)
    : QObject(parent), buttonCaptions_{QStringLiteral("Yes"), QStringLiteral("No"),
                                       QStringLiteral("Cancel")},
      buttonResults_{mrYes, mrNo, mrCancel}, theme_(&BuiltInTheme(1)) {
    setObjectName("messageDlg");
}

void suiMessageDialog::setButtonCount(int count) {
    buttonCount_ = qBound(1, count, MaxButtons);
}

void suiMessageDialog::setButtonCaption(int index, const QString& caption) {
    if (validIndex(index))
        buttonCaptions_[index - 1] = caption;
}

QString suiMessageDialog::buttonCaption(int index) const {
    return validIndex(index) ? buttonCaptions_[index - 1] : QString();
}

void suiMessageDialog::setButtonResult(int index, int result) {
    if (validIndex(index))
        buttonResults_[index - 1] = result;
}

int suiMessageDialog::buttonResult(int index) const {
    return validIndex(index) ? buttonResults_[index - 1] : mrNone;
}

void suiMessageDialog::setTheme(const suiBuiltInFileTheme* theme) {
    if (theme)
        theme_ = theme;
}

int suiMessageDialog::ShowModal() {
    // The notice belongs to the window it answers and stays on top when that
    // window does: a window manager keeps topmost windows in a layer above the
    // others, and would bury the notice beneath the very window it answers.
    QWidget* owner = AnsweredWindow(qobject_cast<QWidget*>(parent()));
    Qt::WindowFlags flags = Qt::Dialog | Qt::FramelessWindowHint;
    if (owner != nullptr && owner->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        flags |= Qt::WindowStaysOnTopHint;
    QDialog dialog(owner, flags);
    dialog.setObjectName("messageDlg");
    dialog.setStyleSheet(theme_->styleSheet());
    auto* frame = new suiForm(&dialog);
    frame->setTheme(theme_);
    frame->setCaption(caption_);
    frame->setMinimizeButtonVisible(false);
    frame->setMaximizeButtonVisible(false);

    auto* label = new QLabel(text_);
    label->setObjectName("messageText");
    label->setTextFormat(Qt::PlainText);
    if (label->sizeHint().width() > kMaxTextWidth) {
        label->setWordWrap(true);
        label->setFixedWidth(kMaxTextWidth);
    }

    int result = mrCancel;
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (int index = 1; index <= buttonCount_; ++index) {
        auto* button = new QPushButton(buttonCaptions_[index - 1]);
        button->setObjectName(QStringLiteral("button%1").arg(index));
        button->setMinimumWidth(75);
        button->setDefault(index == 1);
        const int answer = buttonResults_[index - 1];
        QObject::connect(button, &QPushButton::clicked, &dialog, [&dialog, &result, answer] {
            result = answer;
            dialog.accept();
        });
        buttons->addWidget(button);
    }
    buttons->addStretch();
    QObject::connect(frame, &suiForm::closeRequested, &dialog, &QDialog::reject);

    auto* layout = new QVBoxLayout(frame->clientArea());
    layout->setContentsMargins(24, 18, 24, 12);
    layout->setSpacing(16);
    layout->addWidget(label);
    layout->addLayout(buttons);

    // A wrapped text is only as tall as the width it finally gets.
    const int clientWidth =
        qMax(kMinDialogWidth - 2 * suiForm::BorderWidth, layout->sizeHint().width());
    const int clientHeight = layout->hasHeightForWidth() ? layout->totalHeightForWidth(clientWidth)
                                                         : layout->sizeHint().height();
    dialog.setFixedSize(clientWidth + 2 * suiForm::BorderWidth,
                        clientHeight + suiForm::TitleHeight + suiForm::BorderWidth);
    QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    dialog.move(screen->geometry().center() - dialog.rect().center());
    dialog.exec();
    return result;
}
