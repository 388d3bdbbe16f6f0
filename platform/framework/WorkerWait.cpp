#include "platform/framework/WorkerWait.h"

#include <atomic>

namespace {
std::atomic_int s_nWorkerWaitMs{20};
}

int WorkerWaitMs()
{
    return s_nWorkerWaitMs;
}

void SetWorkerWaitMs(int nMs)
{
    s_nWorkerWaitMs = nMs;
}
