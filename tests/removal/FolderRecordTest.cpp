// The program folder's record and the removal by it, on a folder of real files: a recorded name that
// leads out of the folder or names a device, and a file rewritten since the registration, are kept and
// said; the record comes back from the registry as it was written, or is refused whole.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "common/RegistryKey.h"
#include "removal/FolderRecord.h"
#include "removal/FolderRemoval.h"
#include "tests/support/TestSupport.h"

namespace {
const char kRecordKey[] = "Software\\QelvanTests\\FolderRecord";

struct Said {
    RemovalResult result;
    std::string why;
};

RecordedFile Recorded(const std::string& name, const std::string& path) {
    RecordedFile file = {name, true, {}};
    EXPECT_TRUE(ReadFileIdentity(path, file.identity)) << path;
    return file;
}

// The record written under a key of its own and, when the write took it, read back; false when the write
// refused it. A record written must come back whole.
bool ThroughRegistry(const FolderRecord& written, FolderRecord& read) {
    RegistryKey::DeleteKey(HKEY_CURRENT_USER, kRecordKey);
    RegistryKey key;
    DWORD error = 0;
    bool stored = RegistryKey::CreateKey(HKEY_CURRENT_USER, kRecordKey) &&
                  key.Open(HKEY_CURRENT_USER, kRecordKey) && WriteFolderRecord(key, written, error);
    if (stored) {
        EXPECT_TRUE(ReadFolderRecord(key, read)) << "a record written but not read back";
    }
    key.Close();
    RegistryKey::DeleteKey(HKEY_CURRENT_USER, kRecordKey);
    return stored;
}

// A record of files whose "InstalledFiles" text is length characters long.
FolderRecord RecordOfLength(size_t length) {
    const size_t kItem = 8 + 34;  // "name.dll|" and two numbers of sixteen digits with their separator
    FolderRecord record;
    size_t total = 0;
    for (int index = 0; total + 1 + kItem < length; ++index) {
        record.files.push_back({"file" + std::to_string(1000 + index).substr(1) + "X", true, {7, 9}});
        total += (total == 0 ? 0 : 1) + kItem;
    }
    record.files.back().name += std::string(length - total, 'y');
    return record;
}
}  // namespace

TEST(FolderRecordRemoval, OnlyRecordedFilesStillAsWrittenAndInsideTheFolderGo) {
    TempDir base("qelvan-record");
    std::string folder = base / "Qelvan";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(WriteTextFile(base / "prices.txt", "the till's prices") &&
                WriteTextFile(folder + "\\Drovix.exe", "ours") &&
                WriteTextFile(folder + "\\setup.ini", "aaaa"));
    FolderRecord record;
    record.files = {Recorded("Drovix.exe", folder + "\\Drovix.exe"),
                    Recorded("..\\prices.txt", base / "prices.txt"),
                    Recorded("setup.ini", folder + "\\setup.ini")};
    for (const char* device : {"LPT1", "lpt2.log", "Lpt9 .txt", "com3.ini", "PRN", "con.txt"})
        record.files.push_back({device, true, {4, 4}});
    // Another program (or the user) rewrote the settings to the same size.
    Sleep(50);
    ASSERT_TRUE(WriteTextFile(folder + "\\setup.ini", "bbbb"));

    std::map<std::string, Said> said;
    RemoveRecordedFiles(folder.c_str(), record, [&](const RemovalItem& item) {
        said[item.name] = {item.result, item.usedBy};
    });
    EXPECT_FALSE(FileExists(folder + "\\Drovix.exe"));
    EXPECT_EQ("the till's prices", ReadTextFile(base / "prices.txt"));
    EXPECT_EQ("bbbb", ReadTextFile(folder + "\\setup.ini"));
    EXPECT_EQ(RemovalResult::Removed, said[folder + "\\Drovix.exe"].result);
    EXPECT_EQ(RemovalResult::Kept, said[folder + "\\setup.ini"].result);
    EXPECT_EQ("安装后已被更改或替换", said[folder + "\\setup.ini"].why);
    for (std::string name :
         {"..\\prices.txt", "LPT1", "lpt2.log", "Lpt9 .txt", "com3.ini", "PRN", "con.txt"}) {
        std::string path = folder + "\\" + name;
        ASSERT_EQ(1u, said.count(path)) << name;
        EXPECT_EQ(RemovalResult::Kept, said[path].result) << name;
        EXPECT_EQ("记录中的名称不是安装目录中的普通文件名", said[path].why) << name;
    }
}

TEST(FolderRecordRemoval, TheRecordComesBackAsWrittenOrIsRefused) {
    for (size_t length : {4095u, 4096u, 5000u}) {
        FolderRecord written = RecordOfLength(length), read;
        bool kept = ThroughRegistry(written, read);
        if (length < 4096) {
            EXPECT_TRUE(kept) << length;
        }
        if (!kept) continue;
        ASSERT_EQ(written.files.size(), read.files.size()) << length;
        for (size_t index = 0; index < written.files.size(); ++index)
            EXPECT_EQ(written.files[index].name, read.files[index].name) << length;
    }

    // The folders an older registration recorded in another case are the same folders.
    FolderRecord written, read;
    written.createdFolders = {kProgramFolderItself, "DRVCONFIG"};
    written.files = {{"DRVCONFIG\\setup.ini", true, {1, 2}}};
    ASSERT_TRUE(ThroughRegistry(written, read));
    read.Created("drvconfig");
    EXPECT_TRUE(read.MadeFolder("DrvConfig"));
    EXPECT_EQ(2u, read.createdFolders.size());
}
