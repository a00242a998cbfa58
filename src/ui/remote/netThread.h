#pragma once
// Starts the remote fetch: hands FetchRemoteFiles to the window thread as one
// call, waits until the window thread has made it, and ends.

#include <QSemaphore>
#include <QThread>

class TForm1;

class netThread : public QThread {
public:
    netThread(TForm1* form, bool createSuspended);
    // Lets the thread end even when the window thread never took the call,
    // as at a close before the event loop ran.
    void Terminate();

protected:
    void run() override;

private:
    TForm1* form_;
    QSemaphore handedBack_;
};
