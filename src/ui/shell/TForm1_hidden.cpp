// While the window is away in the tray nobody sees the start page or the
// personal page, so after a while they give back their memory, and so does
// the window itself. The music pane goes too once no player is left in it:
// a player may be playing.
#include <QTimer>

#include "platform/platform.h"
#include "ui/shell/TCppWebBrowser.h"
#include "ui/shell/TForm1.h"

namespace {
constexpr int kReleaseAfterDiscardMs = 5000;
} // namespace

void TForm1::StartHiddenDiscard() {
    if (hiddenDiscardTimer_ == nullptr) {
        hiddenDiscardTimer_ = new QTimer(this);
        hiddenDiscardTimer_->setSingleShot(true);
        connect(hiddenDiscardTimer_, &QTimer::timeout, this, &TForm1::DiscardHiddenPanes);
    }
    hiddenDiscardTimer_->start(hiddenDiscardDelayMs);
}

void TForm1::DiscardHiddenPanes() {
    // The pane that catches new windows holds nothing worth keeping either.
    for (TCppWebBrowser* pane : {CppWebBrowser1, mineWebBrowser, CppWebBrowser2})
        pane->Discard();
    if (!playerPageLoaded)
        CppWebBrowser3->Discard();
    // The engine lets go of the pages' memory a moment later.
    QTimer::singleShot(kReleaseAfterDiscardMs, this, [this] {
        ReleaseWindowSurfaces();
        platform::ReturnFreedMemory();
    });
}

// Drawn in software, the window keeps buffers of its own size for its
// surfaces, some 20 MiB, as long as its native window lives; the next show
// makes a new one. A pane that still has a view (a player) draws into them,
// and a notice of the window's on screen stands on it, so then nothing goes.
void TForm1::ReleaseWindowSurfaces() {
    if (isVisible() || !testAttribute(Qt::WA_WState_Created))
        return;
    for (const TCppWebBrowser* pane : findChildren<TCppWebBrowser*>())
        if (pane->HasEngine())
            return;
    for (const QWidget* child : findChildren<QWidget*>())
        if (child->isWindow() && child->isVisible())
            return;
    destroy();
}
