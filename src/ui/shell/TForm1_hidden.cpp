// While the window is away in the tray nobody sees the start page or the
// personal page, so after a while they give back their memory. The music
// pane is left alone: a player may be playing.
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
    CppWebBrowser1->Discard();
    mineWebBrowser->Discard();
    // The engine lets go of the pages' memory a moment later.
    QTimer::singleShot(kReleaseAfterDiscardMs, this, [] { platform::ReturnFreedMemory(); });
}
