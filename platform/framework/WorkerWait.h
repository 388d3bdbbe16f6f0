#pragma once

#include <QFuture>
#include <QSemaphore>

#include <memory>

// How long the user-interface thread may wait for a worker's result before it
// goes on without it; the result then arrives as an event. Short enough that a
// key pressed meanwhile is handled at once.
int WorkerWaitMs();
// Tests that step the windows deterministically wait longer.
void SetWorkerWaitMs(int nMs);

// Waits at most WorkerWaitMs() for the future; true when its result is there.
template <typename T> bool WaitForWorker(const QFuture<T>& future)
{
    if (future.isFinished())
        return true;
    auto pDone = std::make_shared<QSemaphore>();
    QFuture<T>(future).then(QtFuture::Launch::Sync, [pDone](QFuture<T>) { pDone->release(); });
    return pDone->tryAcquire(1, WorkerWaitMs());
}
