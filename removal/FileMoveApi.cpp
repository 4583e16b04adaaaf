#include "removal/FileMoveApi.h"

namespace {
// Built while the program starts, before any thread of its own.
FileMoveApi api = {MoveFileA, MoveFileExA};
}  // namespace

FileMoveApi& FileMoves() {
    return api;
}
