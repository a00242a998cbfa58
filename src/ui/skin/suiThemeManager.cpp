#include "ui/skin/suiThemeManager.h"

#include "ui/skin/suiBuiltInFileTheme.h"
#include "ui/skin/suiForm.h"
#include "ui/skin/suiMessageDialog.h"
#include "ui/skin/suiPageControl.h"

#include <QEvent>
#include <QWidget>
#include <utility>

suiThemeManager::suiThemeManager(QObject* parent) : QObject(parent) {}

void suiThemeManager::addControl(QWidget* control) {
    if (!control || controls_.contains(control))
        return;
    controls_.append(control);
    if (theme_)
        applyOrWait(control);
}

void suiThemeManager::addComponent(suiMessageDialog* component) {
    if (!component || components_.contains(component))
        return;
    components_.append(component);
    if (theme_)
        component->setTheme(theme_);
}

// Every control added since the theme was set has it already: setting it
// again would only restyle them all once more.
void suiThemeManager::setFileTheme(const suiBuiltInFileTheme* theme) {
    if (!theme || theme == theme_)
        return;
    theme_ = theme;
    controls_.removeAll(nullptr);
    components_.removeAll(nullptr);
    for (QWidget* control : std::as_const(controls_))
        applyOrWait(control);
    for (suiMessageDialog* component : std::as_const(components_))
        component->setTheme(theme_);
}

// Restyling a control costs a parse of the whole sheet; the main window's
// first frame shows one page of four, so the others' controls wait until they
// are shown (their show event comes before they are drawn). Windows such as
// menus are styled at once: their size is worked out before they show.
void suiThemeManager::applyOrWait(QWidget* control) {
    if (control->isWindow() || control->isVisibleTo(control->window())) {
        control->removeEventFilter(this);
        applyTo(control);
    } else {
        control->installEventFilter(this);
    }
}

bool suiThemeManager::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show) {
        watched->removeEventFilter(this);
        applyTo(static_cast<QWidget*>(watched));
    }
    return QObject::eventFilter(watched, event);
}

void suiThemeManager::applyTo(QWidget* control) const {
    if (auto* frame = qobject_cast<suiForm*>(control))
        frame->setTheme(theme_);
    else if (auto* pages = qobject_cast<suiPageControl*>(control))
        pages->setTabStyleSheet(theme_->tabStyleSheet());
    else
        control->setStyleSheet(theme_->styleSheet());
}
