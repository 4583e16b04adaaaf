#pragma once
// The wizard's single-instance rule, held both ways: the deployment program takes the wizard's own
// mutex while it changes the system, so neither runs while the other installs, and a mutex of its own,
// by which the wizard under any file name knows it is the deployment program at work.

#include <windows.h>

class InstanceLock {
public:
    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // False with a line said when the wizard, another copy of this program or the maker's uninstaller
    // runs.
    bool Take();

private:
    HANDLE mutex_ = nullptr;
    HANDLE deployMutex_ = nullptr;
};
