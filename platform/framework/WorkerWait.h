#pragma once

#include <QDeadlineTimer>
#include <QFuture>
#include <QThread>

// How long the user-interface thread may wait for a worker's result before it
// goes on without it; the result then arrives as an event. Short enough that a
// key pressed meanwhile is handled at once.
int WorkerWaitMs();
// Tests that step the windows deterministically wait longer.
void SetWorkerWaitMs(int nMs);

// Waits at most WorkerWaitMs() for the future; true when its result is there.
// Polled: a continuation attached for the wait and dropped with it could run
// on the worker after the wait gave up, and crashed there now and then.
template <typename T> bool WaitForWorker(const QFuture<T>& future)
{
    const QDeadlineTimer deadline(WorkerWaitMs());
    while (!future.isFinished()) {
        if (deadline.hasExpired())
            return false;
        QThread::usleep(200);
    }
    return true;
}
