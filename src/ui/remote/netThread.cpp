#include "ui/remote/netThread.h"
#include "ui/shell/TForm1.h"

netThread::netThread(TForm1* form, bool createSuspended) : form_(form) {
    if (!createSuspended)
        start();
}

void netThread::Terminate() {
    handedBack_.release();
}

void netThread::run() {
    // The thread object lives on the window thread, so the call runs there;
    // it is dropped with the object if the window closes first.
    QMetaObject::invokeMethod(
        this,
        [this] {
            form_->FetchRemoteFiles();
            handedBack_.release();
        },
        Qt::QueuedConnection);
    handedBack_.acquire();
}
