// The export's replace on Windows 98/Me where the move in fails after the old file went aside (a share
// that refuses the new name), which Wine never shows: the one move is refused through the seam.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "deploy/FileReplace.h"
#include "engine/SeamOverride.h"
#include "tests/support/TestSupport.h"

namespace {
std::string refusedSource;

BOOL WINAPI MoveRefusedFor(LPCSTR from, LPCSTR to) {
    if (lstrcmpiA(from, refusedSource.c_str()) == 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return MoveFileA(from, to);
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return names;
}

TEST(FileReplace, OnWindows98AFailedMoveInLeavesTheOldFileAndNothingElse) {
    TempDir share("qelvan-replace");
    std::string target = share / "till.ini";
    ASSERT_TRUE(WriteTextFile(target, "the old file"));
    std::string written = FileBeside(target.c_str());
    ASSERT_TRUE(WriteTextFile(written, "the new file"));
    refusedSource = written;
    DWORD error = 0;
    {
        SeamOverride<decltype(FileMoves().moveFile)> seam(FileMoves().moveFile, MoveRefusedFor);
        EXPECT_FALSE(ReplaceWithWritten(written.c_str(), target.c_str(), false, error));
    }
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), error);
    EXPECT_EQ("the old file", ReadTextFile(target));
    EXPECT_EQ(std::vector<std::string>{"till.ini"}, FilesIn(share.Path()));

    // Let through, the new file takes the old one's place, and again nothing else is left.
    written = FileBeside(target.c_str());
    ASSERT_TRUE(WriteTextFile(written, "the new file"));
    EXPECT_TRUE(ReplaceWithWritten(written.c_str(), target.c_str(), false, error));
    EXPECT_EQ("the new file", ReadTextFile(target));
    EXPECT_EQ(std::vector<std::string>{"till.ini"}, FilesIn(share.Path()));
}
}  // namespace
