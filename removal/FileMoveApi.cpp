#include "removal/FileMoveApi.h"

namespace {
// Built while the program starts, before any thread of its own.
FileMoveApi api = {MoveFileExA};
}  // namespace

FileMoveApi& FileMoves() {
    return api;
}
