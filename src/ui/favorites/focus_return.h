#pragma once

#include <QPointer>
#include <QWidget>

// Once an action of the page is done, the keyboard focus is back on the
// control the user acted from: a button disabled while it worked, or a
// dialog that came and went, would otherwise leave it elsewhere and send a
// keyboard user back to the start of the Tab order. Declared before a
// BusyButton, so that the button is enabled again first.
class FocusReturn {
public:
    explicit FocusReturn(QWidget* window) : control_(window->focusWidget()) {}
    ~FocusReturn() {
        if (control_ && control_->isEnabled() && control_->isVisible())
            control_->setFocus(Qt::OtherFocusReason);
    }
    FocusReturn(const FocusReturn&) = delete;
    FocusReturn& operator=(const FocusReturn&) = delete;

private:
    QPointer<QWidget> control_;
};
