#include "ui/favorites/background_work.h"

BackgroundWork::~BackgroundWork() {
    for (QThread* thread : findChildren<QThread*>(Qt::FindDirectChildrenOnly))
        thread->wait();
}

void BackgroundWork::Dispose(std::shared_ptr<void> object) {
    Start(QThread::create([object = std::move(object)]() mutable { object.reset(); }), [] {});
}

void BackgroundWork::Start(QThread* thread, std::function<void()> finished) {
    thread->setParent(this);
    connect(thread, &QThread::finished, this, std::move(finished));
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start();
}
