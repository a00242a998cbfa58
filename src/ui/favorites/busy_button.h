#pragma once

#include <QWidget>

// A button that starts an operation stays disabled until it has finished.
class BusyButton {
public:
    explicit BusyButton(QWidget* button) : button_(button) { button_->setEnabled(false); }
    ~BusyButton() { button_->setEnabled(true); }
    BusyButton(const BusyButton&) = delete;
    BusyButton& operator=(const BusyButton&) = delete;

private:
    QWidget* button_;
};
