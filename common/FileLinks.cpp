#include "common/FileLinks.h"

#include "common/PathAttributesApi.h"

bool IsReparsePoint(const char* path) {
    DWORD attributes = PathAttributes().getFileAttributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

bool HasOtherNames(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION information = {};
    return GetFileInformationByHandle(file, &information) && information.nNumberOfLinks > 1;
}
