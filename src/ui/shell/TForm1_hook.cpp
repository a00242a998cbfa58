// The application-wide message hook of the main window.
#include <QMenu>
#include <QMouseEvent>

#include "ui/shell/TCppWebBrowser.h"
#include "ui/shell/TForm1.h"

namespace {

bool IsRightClick(const QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        return static_cast<const QMouseEvent*>(event)->button() == Qt::RightButton;
    case QEvent::ContextMenu:
        return true;
    default:
        return false;
    }
}

// The tray icon and popup menus live in windows of their own; their right
// clicks open and drive the tray menu and must pass.
bool IsMenuOrTray(const QWidget* widget) {
    const QWidget* window = widget->window();
    return qobject_cast<const QMenu*>(window) != nullptr || window->inherits("QSystemTrayIconSys");
}

} // namespace

// Right clicks do nothing anywhere in the program but inside the start-page
// pane, which keeps its own context menu. The engine delivers keys to the
// page itself, so no accelerator hand-off is needed here.
bool TForm1::ApplicationEvents1Message(QObject* target, QEvent* event) {
    if (CppWebBrowser1 == nullptr || !IsRightClick(event))
        return false;
    auto* widget = qobject_cast<QWidget*>(target);
    if (widget == nullptr || IsMenuOrTray(widget))
        return false;
    return widget != CppWebBrowser1 && !CppWebBrowser1->isAncestorOf(widget);
}
