// The shared places where deletions wait for the next start, on a till where other programs' work
// waits there too: what we take back leaves every other byte as it was.
#include <gtest/gtest.h>

#include <string>

#include "engine/SeamOverride.h"
#include "removal/FileMoveApi.h"
#include "removal/RestartDeletion.h"
#include "tests/support/TestSupport.h"

namespace {
const wchar_t kPendingValue[] = L"PendingFileRenameOperations";

// The list's code units as the system keeps them, after replacing it when asked; empty: no value.
std::wstring PendingList(const std::wstring* replacement = nullptr) {
    HKEY key = nullptr;
    RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Session Manager", 0,
                  KEY_ALL_ACCESS, &key);
    if (replacement != nullptr && replacement->empty()) RegDeleteValueW(key, kPendingValue);
    if (replacement != nullptr && !replacement->empty())
        RegSetValueExW(key, kPendingValue, 0, REG_MULTI_SZ,
                       reinterpret_cast<const BYTE*>(replacement->data()),
                       static_cast<DWORD>(replacement->size() * sizeof(wchar_t)));
    std::wstring list(32768, L'\0');
    DWORD size = static_cast<DWORD>(list.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key, kPendingValue, nullptr, nullptr, reinterpret_cast<BYTE*>(&list[0]), &size))
        size = 0;
    RegCloseKey(key);
    return list.substr(0, size / sizeof(wchar_t));
}

BOOL WINAPI RefuseScheduling(LPCSTR from, LPCSTR to, DWORD flags) {
    if (!(flags & MOVEFILE_DELAY_UNTIL_REBOOT)) return MoveFileExA(from, to, flags);
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}
}  // namespace

TEST(RestartLists, OurDeletionsComeAndGoAndEveryOtherByteStays) {
    TempDir dir("qelvan-restart");
    std::string ours = dir / "QVOLD.DLL";
    ASSERT_TRUE(WriteTextFile(ours, "old"));
    // The NT family's list: paths in Korean, Thai, with an n-tilde and an emoji, another program's rename
    // of our very file, and the deletion of a file whose name only begins like ours.
    std::wstring saved = PendingList(), wide(ours.begin(), ours.end()), end(1, L'\0');
    std::wstring others = L"\\??\\C:\\\xb370\xc774\xd130\\\xd30c\xc77c.tmp" + end + end +
                          L"\\??\\C:\\\x0e44\x0e17\x0e22\\a.dll" + end +
                          L"!\\??\\C:\\Espa\x00f1"
                          L"a\\b.dll" +
                          end + L"\\??\\" + wide + end + L"\\??\\C:\\kept\\QVOLD.DLL" + end +
                          L"\\??\\C:\\x\\\xd83d\xde00.txt" + end + end + L"\\??\\" + wide + L".BAK" + end +
                          end;
    // Our deletion as the system writes it, then by hand in other case and without "\??\".
    std::wstring original = others + end, byHand = others + wide + end + end + end;
    PendingList(&original);
    ASSERT_TRUE(MoveFileExA(ours.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT));
    ASSERT_NE(original, PendingList());
    EXPECT_TRUE(CancelDeletionAtRestart(ours.c_str()));
    EXPECT_EQ(original, PendingList());
    PendingList(&byHand);
    EXPECT_TRUE(CancelDeletionAtRestart(CharLowerA(&ours[0])));
    EXPECT_EQ(original, PendingList());
    PendingList(&saved);  // a value left empty would make the system's next scheduling write a broken one

    // WININIT.INI as other programs left it, with our line added, and after taking it back.
    char shortPath[MAX_PATH] = {};
    ASSERT_NE(0u, GetShortPathNameA(ours.c_str(), shortPath, sizeof shortPath));
    std::string wininit = WindowsDirectoryPath() + "\\WININIT.INI",
                line = std::string("NUL=") + shortPath + "\r\n";
    const struct {
        std::string original, scheduled, cancelled;
    } cases[] = {
        {"[boot]\r\nshell=x\r\n[rename]", "[boot]\r\nshell=x\r\n[rename]\r\n" + line,
         "[boot]\r\nshell=x\r\n[rename]\r\n"},
        {"[rename]\r\nNUL=C:\\OTHER.TMP\r\n[boot]\r\n" + line + "[Rename]\r\n" + line,
         "[rename]\r\n" + line + "NUL=C:\\OTHER.TMP\r\n[boot]\r\n" + line + "[Rename]\r\n" + line,
         "[rename]\r\nNUL=C:\\OTHER.TMP\r\n[boot]\r\n" + line + "[Rename]\r\n"},
        {"[boot]\rnote=[rename]\r  [RENAME] \nNUL=C:\\OTHER.TMP\n \r\n",
         "[boot]\rnote=[rename]\r  [RENAME] \n" + line + "NUL=C:\\OTHER.TMP\n \r\n",
         "[boot]\rnote=[rename]\r  [RENAME] \nNUL=C:\\OTHER.TMP\n \r\n"},
        // A value holding "]" is no section header: our line after it is still in [rename].
        {"[rename]\r\nNUL=C:\\ODD]NAME.TMP\r\n" + line,
         "[rename]\r\n" + line + "NUL=C:\\ODD]NAME.TMP\r\n" + line, "[rename]\r\nNUL=C:\\ODD]NAME.TMP\r\n"},
        // A file ending without a line end: the new section begins a line of its own.
        {"[boot]\r\nshell=x", "[boot]\r\nshell=x\r\n[rename]\r\n" + line,
         "[boot]\r\nshell=x\r\n[rename]\r\n"},
    };
    for (const auto& each : cases) {
        DWORD error = WriteTextFile(wininit, each.original) ? 0 : 1;
        EXPECT_TRUE(DeleteAtNextStartOfWindows98(ours.c_str(), error)) << each.original;
        EXPECT_EQ(each.scheduled, ReadTextFile(wininit)) << each.original;
        EXPECT_TRUE(CancelDeletionAtRestart(ours.c_str())) << each.original;
        EXPECT_EQ(each.cancelled, ReadTextFile(wininit)) << each.original;
    }
    // Text we cannot read safely is left as it is, and both operations fail.
    for (const std::string& unsafe :
         {std::string("\xff\xfe[\0r\0e\0n\0a\0m\0e\0]\0", 18),
          std::string("\xfe\xff\0[\0r\0e\0n\0a\0m\0e\0]", 18), std::string("\xef\xbb\xbf[rename]")}) {
        DWORD error = WriteTextFile(wininit, unsafe) ? 0 : 1;
        EXPECT_FALSE(DeleteAtNextStartOfWindows98(ours.c_str(), error) ||
                     CancelDeletionAtRestart(ours.c_str()));
        EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_DATA), error);
        EXPECT_EQ(unsafe, ReadTextFile(wininit));
    }
    RemoveFile(wininit);
}

TEST(RestartDeletion, AFileWhoseSchedulingFailsGoesBackToItsOwnName) {
    TempDir dir("qelvan-aside");
    std::string dll = dir / "QVPROC.DLL";
    ASSERT_TRUE(CopyFileTo(TestDir() + "\\fixture_processor.dll", dll));
    // A program in use: it cannot be deleted, only moved aside.
    HMODULE loaded = LoadLibraryA(dll.c_str());
    ASSERT_NE(nullptr, loaded);
    SeamOverride<decltype(FileMoves().moveFileEx)> refused(FileMoves().moveFileEx, RefuseScheduling);
    DWORD error = 0;
    EXPECT_EQ(Deletion::Failed, DeleteNowOrAtRestart(dll.c_str(), error));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), error);
    FreeLibrary(loaded);
    WIN32_FIND_DATAA found;
    EXPECT_EQ(INVALID_HANDLE_VALUE, FindFirstFileA((dir / "qdl*.tmp").c_str(), &found)) << found.cFileName;
    EXPECT_TRUE(FileExists(dll));
}
