#include "engine/SystemPathApi.h"

SystemPathApi& SystemPaths() {
    static SystemPathApi api = {GetSystemDirectoryA, GetWindowsDirectoryA};
    return api;
}
