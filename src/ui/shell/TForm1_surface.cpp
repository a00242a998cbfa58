// The web engine's views draw through a GPU surface of the window they are
// in. A window made without one is replaced by the toolkit the moment the
// first view joins it: the user sees it vanish and come back, and its id goes
// stale. So the window is made with that surface from the start, asked for by
// a hidden, empty widget of the kind the views use, added just before the
// native window exists, so that a run that stays in the tray pays nothing.
#include <QQuickWidget>

#include "ui/shell/TForm1.h"

void TForm1::setVisible(bool visible) {
    if (visible && engineSurface_ == nullptr) {
        engineSurface_ = new QQuickWidget(this);
        engineSurface_->setObjectName("engineSurface");
        engineSurface_->hide();
    }
    SkinnedWindow::setVisible(visible);
}
