#include "common/PathAttributesApi.h"

namespace {
// Built while the program starts, before any thread of its own.
PathAttributesApi api = {GetFileAttributesA};
}  // namespace

PathAttributesApi& PathAttributes() {
    return api;
}
