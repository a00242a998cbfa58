#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QVBoxLayout>

#include "ui/shell/skinned_window.h"
#include "ui/skin/suiForm.h"
#include "ui/skin/suiThemeManager.h"

#include <utility>

SkinnedWindow::SkinnedWindow(const QString& caption, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), suiForm1(new suiForm(this)),
      suiThemeManager1(new suiThemeManager(this)) {
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(suiForm1);
    suiForm1->setCaption(caption);
    suiThemeManager1->addControl(suiForm1);
    connect(suiForm1, &suiForm::closeRequested, this, &QWidget::close);
}

QWidget* SkinnedWindow::Client() const {
    return suiForm1->clientArea();
}

void SkinnedWindow::ShowModal() {
    const QRect desktop = QGuiApplication::primaryScreen()->geometry();
    move(desktop.center() - rect().center());
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    activateWindow();
    QEventLoop loop;
    modalLoop_ = &loop;
    loop.exec();
    modalLoop_ = nullptr;
}

void SkinnedWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (modalLoop_)
        modalLoop_->quit();
}

void SkinnedWindow::OnEscape(std::function<void()> action) {
    escape_ = std::move(action);
}

// A key reaches the window only when the control that had it let it go; a
// window-wide shortcut would take it from an open list first.
void SkinnedWindow::keyPressEvent(QKeyEvent* event) {
    if (escape_ && event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        return escape_();
    QWidget::keyPressEvent(event);
}
