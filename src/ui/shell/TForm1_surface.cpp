// Where the web engine's views draw through a GPU surface of the window they
// are in (the user chose a GL backend), a window made without one is replaced
// by the toolkit the moment the first view joins it: the user sees it vanish
// and come back, and its id goes stale. So the window is then made with that
// surface from the start, asked for by a hidden widget from the engine's
// module, added just before the native window exists: a run that stays in the
// tray loads no part of the engine.
#include "ui/shell/TForm1.h"
#include "ui/shell/web_engine_loader.h"
#include "ui/shell/web_engine_module.h"

void TForm1::setVisible(bool visible) {
    if (visible && engineSurface_ == nullptr && WebEngineDrawsThroughGl())
        if (WebEngineModule* engine = LoadWebEngine())
            engineSurface_ = engine->CreateSurfaceHolder(this);
    SkinnedWindow::setVisible(visible);
}
