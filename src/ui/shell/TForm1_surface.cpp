// The web engine's views draw through a GPU surface of the window they are
// in. A window made without one is replaced by the toolkit the moment the
// first view joins it: the user sees it vanish and come back, and its id goes
// stale. So the window is made with that surface from the start, asked for by
// a hidden GL widget added just before the native window exists. The engine's
// module itself is loaded after the window's first frame, and a run that stays
// in the tray loads neither.
#include "ui/shell/TForm1.h"
#include "ui/shell/web_engine_loader.h"

void TForm1::setVisible(bool visible) {
    if (visible && engineSurface_ == nullptr)
        engineSurface_ = CreateEngineSurfaceHolder(this);
    SkinnedWindow::setVisible(visible);
}
