#pragma once
// Worker threads.

#include <windows.h>

typedef UINT (*AFX_THREADPROC)(LPVOID);

// Starts procedure(parameter) on a new thread with the given priority, stack size (0: default) and
// creation flags (CREATE_SUSPENDED or 0). Returns the thread's handle, which the caller closes, or
// null when the thread could not be started.
HANDLE AfxBeginThread(AFX_THREADPROC procedure, LPVOID parameter, int priority = THREAD_PRIORITY_NORMAL,
                      UINT stackSize = 0, DWORD flags = 0);
