// The shared places where deletions wait for the next start, on a till where other programs' work
// waits there too: what we take back leaves every other byte as it was.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/SeamOverride.h"
#include "removal/FileMoveApi.h"
#include "removal/RestartDeletion.h"
#include "tests/support/TestSupport.h"

namespace {
const char kSessionManagerKey[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
const wchar_t kPendingValue[] = L"PendingFileRenameOperations";

std::string Replaced(std::string text, const std::string& mark, const std::string& by) {
    for (size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at + by.size()))
        text.replace(at, mark.size(), by);
    return text;
}

std::string PendingBytes() {
    HKEY key = nullptr;
    RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManagerKey, 0, KEY_QUERY_VALUE, &key);
    std::string bytes(65536, '\0');
    DWORD size = static_cast<DWORD>(bytes.size());
    if (RegQueryValueExW(key, kPendingValue, nullptr, nullptr, reinterpret_cast<BYTE*>(&bytes[0]), &size) !=
        0)
        size = 0;
    RegCloseKey(key);
    return bytes.substr(0, size);
}

void SetPending(const std::wstring& list) {
    HKEY key = nullptr;
    RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManagerKey, 0, KEY_SET_VALUE, &key);
    RegSetValueExW(key, kPendingValue, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(list.data()),
                   static_cast<DWORD>(list.size() * sizeof(wchar_t)));
    RegCloseKey(key);
}

std::wstring Wide(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    wide.resize(MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0],
                                    static_cast<int>(wide.size())));
    return wide;
}

template <size_t N>
std::string Bytes(const char (&text)[N]) {
    return std::string(text, N - 1);
}

BOOL WINAPI RefuseScheduling(LPCSTR from, LPCSTR to, DWORD flags) {
    if (!(flags & MOVEFILE_DELAY_UNTIL_REBOOT)) return MoveFileExA(from, to, flags);
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}
}  // namespace

TEST(PendingRenames, CancellingTakesOnlyOurDeletionAndEveryOtherByteStays) {
    std::string saved = PendingBytes();
    TempDir dir("qelvan-pending");
    std::string ours = dir / "QVOLD.DLL";
    ASSERT_TRUE(WriteTextFile(ours, "old"));
    const std::wstring end(1, L'\0');
    // Other programs' work: paths in Korean, Thai, with an n-tilde and an emoji, a rename of our very
    // file, and the deletion of a file whose name only begins like ours.
    std::wstring others = L"\\??\\C:\\\xb370\xc774\xd130\\\xd30c\xc77c.tmp" + end + end +
                          L"\\??\\C:\\\x0e44\x0e17\x0e22\\a.dll" + end +
                          L"!\\??\\C:\\Espa\x00f1"
                          L"a\\b.dll" +
                          end + L"\\??\\" + Wide(ours) + end + L"\\??\\C:\\kept\\QVOLD.DLL" + end +
                          L"\\??\\C:\\x\\\xd83d\xde00.txt" + end + end + L"\\??\\" + Wide(ours) + L".BAK" +
                          end + end;
    std::string original(reinterpret_cast<const char*>(others.data()), (others.size() + 1) * 2);
    // Our deletion as the system writes it, and by hand in other case and without "\??\".
    SetPending(others + end);
    ASSERT_TRUE(MoveFileExA(ours.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT));
    ASSERT_NE(original, PendingBytes());
    EXPECT_TRUE(CancelDeletionAtRestart(ours.c_str()));
    EXPECT_EQ(original, PendingBytes());
    CharLowerA(&ours[0]);
    SetPending(others + Wide(ours) + end + end + end);
    EXPECT_TRUE(CancelDeletionAtRestart(ours.c_str()));
    EXPECT_EQ(original, PendingBytes());
    // The list as it was: a value left empty would make the system's next scheduling write a broken one.
    HKEY key = nullptr;
    RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManagerKey, 0, KEY_SET_VALUE, &key);
    if (saved.empty())
        RegDeleteValueW(key, kPendingValue);
    else
        RegSetValueExW(key, kPendingValue, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(saved.data()),
                       static_cast<DWORD>(saved.size()));
    RegCloseKey(key);
}

TEST(WininitRenames, OurLinesComeAndGoAndEveryOtherByteStays) {
    TempDir dir("qelvan-wininit");
    std::string ours = dir / "QVOLD.DLL";
    ASSERT_TRUE(WriteTextFile(ours, "old"));
    char shortPath[MAX_PATH] = {};
    ASSERT_NE(0u, GetShortPathNameA(ours.c_str(), shortPath, sizeof shortPath));
    std::string wininit = WindowsDirectoryPath() + "\\WININIT.INI";
    std::string line = std::string("NUL=") + shortPath + "\r\n";
    // Each file as another program left it ("@" stands for our line), with our line added, and after
    // taking it back.
    const struct {
        std::string original, scheduled, cancelled;
    } cases[] = {
        {"[boot]\r\nshell=x\r\n[rename]", "[boot]\r\nshell=x\r\n[rename]\r\n@",
         "[boot]\r\nshell=x\r\n[rename]\r\n"},
        {"[rename]\r\nNUL=C:\\OTHER.TMP\r\n[boot]\r\n@[Rename]\r\n@",
         "[rename]\r\n@NUL=C:\\OTHER.TMP\r\n[boot]\r\n@[Rename]\r\n@",
         "[rename]\r\nNUL=C:\\OTHER.TMP\r\n[boot]\r\n@[Rename]\r\n"},
        {"[boot]\rnote=[rename]\r  [RENAME] \nNUL=C:\\OTHER.TMP\n \r\n",
         "[boot]\rnote=[rename]\r  [RENAME] \n@NUL=C:\\OTHER.TMP\n \r\n",
         "[boot]\rnote=[rename]\r  [RENAME] \nNUL=C:\\OTHER.TMP\n \r\n"},
        {"; no section\r\nx", "; no section\r\nx\r\n[rename]\r\n@", "; no section\r\nx\r\n[rename]\r\n"},
    };
    for (const auto& each : cases) {
        ASSERT_TRUE(WriteTextFile(wininit, Replaced(each.original, "@", line)));
        DWORD error = 0;
        EXPECT_TRUE(DeleteAtNextStartOfWindows98(ours.c_str(), error)) << each.original;
        EXPECT_EQ(Replaced(each.scheduled, "@", line), ReadTextFile(wininit)) << each.original;
        EXPECT_TRUE(CancelDeletionAtRestart(ours.c_str())) << each.original;
        EXPECT_EQ(Replaced(each.cancelled, "@", line), ReadTextFile(wininit)) << each.original;
    }
    // Text we cannot read safely is left as it is, and both operations fail.
    for (const std::string& unsafe :
         {Bytes("\xff\xfe[\0r\0e\0n\0a\0m\0e\0]\0"), Bytes("\xfe\xff\0[\0r\0e\0n\0a\0m\0e\0]"),
          Bytes("\xef\xbb\xbf[rename]\r\n")}) {
        ASSERT_TRUE(WriteTextFile(wininit, unsafe));
        DWORD error = 0;
        EXPECT_FALSE(DeleteAtNextStartOfWindows98(ours.c_str(), error));
        EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_DATA), error);
        EXPECT_FALSE(CancelDeletionAtRestart(ours.c_str()));
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
    DWORD error = 0;
    {
        SeamOverride<decltype(FileMoves().moveFileEx)> refused(FileMoves().moveFileEx, RefuseScheduling);
        EXPECT_EQ(Deletion::Failed, DeleteNowOrAtRestart(dll.c_str(), error));
    }
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), error);
    FreeLibrary(loaded);
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((dir / "*").c_str(), &found);
    while (find != INVALID_HANDLE_VALUE) {
        if (found.cFileName[0] != '.') names.push_back(found.cFileName);
        if (!FindNextFileA(find, &found)) break;
    }
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
    EXPECT_EQ(std::vector<std::string>{"QVPROC.DLL"}, names);
}
