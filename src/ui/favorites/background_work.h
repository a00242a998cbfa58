#pragma once
// Work of the window that would hold its thread (reading a large file, a
// browser's database, freeing a hundred thousand links), each job on a thread
// of its own. The owner joins every thread before it goes, so the program
// never exits with one still inside a library.

#include <QObject>
#include <QThread>
#include <functional>
#include <memory>

class BackgroundWork : public QObject {
public:
    ~BackgroundWork() override;

    // Runs `work` on a thread of its own, then `done` with its result on
    // the owner's thread, unless the owner is gone by then.
    template <typename Result>
    void Run(std::function<Result()> work, std::function<void(Result&)> done) {
        auto result = std::make_shared<Result>();
        Start(QThread::create([result, work = std::move(work)] { *result = work(); }),
              [result, done = std::move(done)] { done(*result); });
    }
    // Lets the last reference to `object` go on a thread of its own.
    void Dispose(std::shared_ptr<void> object);

private:
    void Start(QThread* thread, std::function<void()> finished);
};
