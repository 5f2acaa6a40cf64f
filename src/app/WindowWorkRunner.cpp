#include "app/WindowWorkRunner.h"

#include <QApplication>
#include <QEventLoop>
#include <QMetaObject>

#include <condition_variable>
#include <mutex>

#include "http/HttpRequest.h"

void WindowWorkRunner::run(const std::function<void()>& work) {
    const InputHold::Scope hold(input_);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    QEventLoop loop;
    std::mutex mutex;
    std::condition_variable finished;
    bool workDone = false;
    bool done = false;  // and the loop is no longer touched
    thread_.post([&] {
        work();
        {
            std::lock_guard lock(mutex);
            workDone = true;
        }
        // Quit, then say done: the loop must outlive the call that reaches it.
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
        {
            std::lock_guard lock(mutex);
            done = true;
        }
        finished.notify_all();
    });
    loop.exec();
    std::unique_lock lock(mutex);
    if (!workDone) {
        // The loop ended early only because the program is ending: end the request too.
        lock.unlock();
        setRequestsAborted(true);
        lock.lock();
    }
    finished.wait(lock, [&] { return done; });
    QApplication::restoreOverrideCursor();
}
