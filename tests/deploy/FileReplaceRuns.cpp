// The export's replace on Windows 98/Me where the move in fails after the old file went aside (a share
// that refuses the new name), which Wine never shows: the one move is refused through the seam.
#include <string>

#include <gtest/gtest.h>

#include "removal/FileReplace.h"
#include "engine/SeamOverride.h"
#include "tests/support/TestSupport.h"

namespace {
std::string refusedSource;

BOOL WINAPI MoveRefusedFor(LPCSTR from, LPCSTR to) {
    if (lstrcmpiA(from, refusedSource.c_str()) != 0) return MoveFileA(from, to);
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

TEST(FileReplace, OnWindows98AFailedMoveInLeavesTheOldFileAndNothingElse) {
    TempDir share("qelvan-replace");
    std::string target = share / "till.ini";
    refusedSource = FileBeside(target.c_str());
    ASSERT_TRUE(WriteTextFile(target, "the old file") && WriteTextFile(refusedSource, "the new file"));
    DWORD error = 0;
    SeamOverride<decltype(FileMoves().moveFile)> seam(FileMoves().moveFile, MoveRefusedFor);
    EXPECT_FALSE(ReplaceWithWritten(refusedSource.c_str(), target.c_str(), false, error));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), error);
    EXPECT_EQ("the old file", ReadTextFile(target));
    WIN32_FIND_DATAA found;
    HANDLE left = FindFirstFileA((share / "*.tmp").c_str(), &found);
    EXPECT_EQ(INVALID_HANDLE_VALUE, left) << found.cFileName;
    if (left != INVALID_HANDLE_VALUE) FindClose(left);
}
}  // namespace
