#include "framework/Thread.h"

#include <process.h>

namespace {
struct ThreadStart {
    AFX_THREADPROC procedure;
    LPVOID parameter;
};

unsigned __stdcall ThreadEntry(void* argument) {
    ThreadStart start = *static_cast<ThreadStart*>(argument);
    delete static_cast<ThreadStart*>(argument);
    return start.procedure(start.parameter);
}
}  // namespace

HANDLE AfxBeginThread(AFX_THREADPROC procedure, LPVOID parameter, int priority, UINT stackSize, DWORD flags) {
    auto* start = new ThreadStart{procedure, parameter};
    // The C run-time's own start keeps its per-thread data right; the thread waits until its priority is set.
    uintptr_t handle = _beginthreadex(nullptr, stackSize, &ThreadEntry, start, CREATE_SUSPENDED, nullptr);
    if (handle == 0) {
        delete start;
        return nullptr;
    }
    HANDLE thread = reinterpret_cast<HANDLE>(handle);
    SetThreadPriority(thread, priority);
    if ((flags & CREATE_SUSPENDED) == 0) ResumeThread(thread);
    return thread;
}
