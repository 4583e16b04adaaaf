#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/RegistryKey.h"

namespace {

const char kTestKey[] = "Software\\QelvanTests\\RegistryKey";

// A scratch key under HKCU, created fresh and deleted with its values when the test ends.
class RegistryKeyTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteKeyA(HKEY_CURRENT_USER, kTestKey);
        ASSERT_TRUE(RegistryKey::CreateKey(HKEY_CURRENT_USER, kTestKey));
    }
    void TearDown() override {
        RegDeleteKeyA(HKEY_CURRENT_USER, kTestKey);
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\QelvanTests");
    }
    // Writes a value directly through the platform, bypassing the class under test.
    void WriteRaw(const char* name, DWORD type, const void* data, DWORD size) {
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, kTestKey, 0, KEY_ALL_ACCESS, &key));
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size));
        RegCloseKey(key);
    }
    std::vector<BYTE> ReadRaw(const char* name, DWORD& type) {
        BYTE data[64] = {};
        DWORD size = sizeof data;
        type = 0xffff;
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kTestKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return {};
        LONG result = RegQueryValueExA(key, name, nullptr, &type, data, &size);
        RegCloseKey(key);
        if (result != ERROR_SUCCESS) return {};
        return std::vector<BYTE>(data, data + size);
    }
    std::vector<std::string> ListOf(const char* stored) {
        WriteRaw("List", REG_SZ, stored, static_cast<DWORD>(strlen(stored) + 1));
        RegistryKey key(HKEY_CURRENT_USER, kTestKey);
        char** list = key.QueryStringList("List");
        std::vector<std::string> items;
        if (list == nullptr) return {"<null>"};
        for (char** item = list; *item; ++item) items.push_back(*item);
        RegistryKey::FreeStringList(list);
        return items;
    }
};

TEST_F(RegistryKeyTest, ClosedObjectRefusesEverythingWithoutTouchingLastError) {
    RegistryKey key;
    key.lastError = 12345;
    DWORD value = 7;
    char text[8] = "keep";
    DWORD error = 99;
    DWORD length = sizeof text;
    DWORD type = 0;
    EXPECT_FALSE(key.IsOpen());
    EXPECT_FALSE(key.Close());
    EXPECT_FALSE(key.QueryValue("x", text, sizeof text));
    EXPECT_FALSE(key.QueryDword("x", value, &error));
    EXPECT_FALSE(key.QueryString("x", text, sizeof text, &error));
    EXPECT_EQ(nullptr, key.QueryStringList("x", &error));
    EXPECT_FALSE(key.SetValue("x", "a", REG_SZ, 2));
    EXPECT_FALSE(key.SetDword("x", 1, &error));
    EXPECT_FALSE(key.SetString("x", "a", &error));
    EXPECT_NE(ERROR_SUCCESS, key.EnumValue(0, text, length, type));
    EXPECT_EQ(12345u, key.lastError);
    EXPECT_EQ(7u, value);
    EXPECT_STREQ("keep", text);
    EXPECT_EQ(99u, error);
}

TEST_F(RegistryKeyTest, OpenMissingPathLeavesObjectClosed) {
    RegistryKey key(HKEY_CURRENT_USER, kTestKey);
    ASSERT_TRUE(key.IsOpen());
    EXPECT_FALSE(key.Open(HKEY_CURRENT_USER, "Software\\QelvanTests\\NoSuchKey"));
    EXPECT_FALSE(key.IsOpen());
    EXPECT_FALSE(key.SetDword("Value", 1));
    DWORD type;
    EXPECT_TRUE(ReadRaw("Value", type).empty());
    // The same object opens another path afterwards and closes it once.
    EXPECT_TRUE(key.Open(HKEY_CURRENT_USER, kTestKey));
    EXPECT_TRUE(key.Close());
    EXPECT_FALSE(key.Close());
}

TEST_F(RegistryKeyTest, DwordRoundTripAndOversizedValue) {
    RegistryKey key(HKEY_CURRENT_USER, kTestKey);
    DWORD error = 99;
    ASSERT_TRUE(key.SetDword("Version", 0x80000003u, &error));
    EXPECT_EQ(key.lastError, error);
    DWORD type;
    std::vector<BYTE> raw = ReadRaw("Version", type);
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
    ASSERT_EQ(4u, raw.size());
    DWORD value = 0;
    EXPECT_TRUE(key.QueryDword("Version", value));
    EXPECT_EQ(0x80000003u, value);

    const BYTE eight[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    WriteRaw("Long", REG_BINARY, eight, sizeof eight);
    EXPECT_FALSE(key.QueryDword("Long", value, &error));
    EXPECT_EQ(key.lastError, error);
    EXPECT_FALSE(key.QueryDword("Missing", value, &error));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), error);  // the registry's own answer
}

TEST_F(RegistryKeyTest, StringsAreWrittenWithTheirTerminator) {
    RegistryKey key(HKEY_CURRENT_USER, kTestKey);
    ASSERT_TRUE(key.SetString("Empty", ""));
    ASSERT_TRUE(key.SetString("Name", "qvcommon.dll"));
    DWORD type;
    std::vector<BYTE> empty = ReadRaw("Empty", type);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ(std::vector<BYTE>{0}, empty);
    EXPECT_EQ(13u, ReadRaw("Name", type).size());

    char text[32] = "old";
    EXPECT_TRUE(key.QueryString("Name", text, sizeof text));
    EXPECT_STREQ("qvcommon.dll", text);
    // A read that does not fit fails and leaves an empty, terminated text.
    char small[4] = "abc";
    DWORD error = 0;
    EXPECT_FALSE(key.QueryString("Name", small, sizeof small, &error));
    EXPECT_EQ('\0', small[0]);
    EXPECT_EQ(key.lastError, error);
    strcpy(text, "old");
    EXPECT_FALSE(key.QueryString("Missing", text, sizeof text));
    EXPECT_STREQ("", text);
}

TEST_F(RegistryKeyTest, UnterminatedStoredTextIsTerminated) {
    // Wine terminates a REG_SZ value itself; a binary value read as text shows the case.
    WriteRaw("Raw", REG_BINARY, "abcd", 4);
    RegistryKey key(HKEY_CURRENT_USER, kTestKey);
    char text[5];
    memset(text, 'x', sizeof text);
    ASSERT_TRUE(key.QueryString("Raw", text, 4));
    EXPECT_EQ('\0', text[3]);
    EXPECT_EQ('x', text[4]);
}

TEST_F(RegistryKeyTest, QueryValueReadsAnyTypeAndSetValueKeepsTheType) {
    RegistryKey key(HKEY_CURRENT_USER, kTestKey);
    const BYTE block[3] = {1, 0, 9};
    ASSERT_TRUE(key.SetValue("Block", block, REG_NONE, sizeof block));
    DWORD type;
    EXPECT_EQ(std::vector<BYTE>(block, block + 3), ReadRaw("Block", type));
    EXPECT_EQ(static_cast<DWORD>(REG_NONE), type);
    BYTE read[3] = {};
    EXPECT_TRUE(key.QueryValue("Block", read, sizeof read));
    EXPECT_EQ(9, read[2]);
    EXPECT_FALSE(key.QueryValue("Block", read, 2));
}

TEST_F(RegistryKeyTest, StringListSplitsAtSemicolons) {
    typedef std::vector<std::string> Items;
    EXPECT_EQ((Items{"a.dll", "b.dll"}), ListOf("a.dll;b.dll"));
    EXPECT_EQ((Items{"a.dll", "b.dll"}), ListOf("a.dll;b.dll;"));
    EXPECT_EQ((Items{"a", "", "c"}), ListOf("a;;c"));
    EXPECT_EQ((Items{""}), ListOf(";"));
    EXPECT_EQ((Items{"", "x"}), ListOf(";x"));
    EXPECT_EQ((Items{"single"}), ListOf("single"));
    EXPECT_EQ((Items{"<null>"}), ListOf(""));

    RegistryKey key(HKEY_CURRENT_USER, kTestKey);
    DWORD error = 0;
    EXPECT_EQ(nullptr, key.QueryStringList("Missing", &error));
    EXPECT_EQ(key.lastError, error);
    RegistryKey::FreeStringList(nullptr);
}

TEST_F(RegistryKeyTest, StringListOfTheLongestValue) {
    std::string longest;
    for (int i = 0; longest.size() < 2480; ++i) longest += "file" + std::to_string(i) + ".dll;";
    longest.resize(2499);  // the buffer's 2500 bytes with the terminator
    std::vector<std::string> items = ListOf(longest.c_str());
    ASSERT_GT(items.size(), 100u);
    EXPECT_EQ("file0.dll", items[0]);
    std::string tooLong(2600, 'a');
    EXPECT_EQ(std::vector<std::string>{"<null>"}, ListOf(tooLong.c_str()));
}

TEST_F(RegistryKeyTest, CreateAndDeleteKeys) {
    const char child[] = "Software\\QelvanTests\\RegistryKey\\Child";
    EXPECT_TRUE(RegistryKey::CreateKey(HKEY_CURRENT_USER, child, nullptr));
    {
        RegistryKey key(HKEY_CURRENT_USER, child);
        ASSERT_TRUE(key.SetDword("Kept", 5));
    }
    // Creating an existing key opens it and leaves its values alone.
    EXPECT_TRUE(RegistryKey::CreateKey(HKEY_CURRENT_USER, child, "QelvanClass"));
    RegistryKey key(HKEY_CURRENT_USER, child);
    DWORD value = 0;
    EXPECT_TRUE(key.QueryDword("Kept", value));
    EXPECT_EQ(5u, value);
    key.Close();
    // A key with a sub-key cannot be deleted.
    EXPECT_FALSE(RegistryKey::DeleteKey(HKEY_CURRENT_USER, kTestKey));
    EXPECT_TRUE(RegistryKey::DeleteKey(HKEY_CURRENT_USER, child));
    EXPECT_FALSE(RegistryKey::DeleteKey(HKEY_CURRENT_USER, child));
    EXPECT_FALSE(key.Open(HKEY_CURRENT_USER, child));
    EXPECT_FALSE(RegistryKey::CreateKey(reinterpret_cast<HKEY>(0x1234), "x", nullptr));
}

TEST_F(RegistryKeyTest, EnumValueListsNamesAndTypes) {
    RegistryKey key(HKEY_CURRENT_USER, kTestKey);
    ASSERT_TRUE(key.SetDword("First", 1));
    ASSERT_TRUE(key.SetString("Second", "two"));
    std::vector<std::string> names;
    std::vector<DWORD> types;
    char name[64];
    DWORD length = sizeof name;
    DWORD type = 0;
    for (DWORD i = 0; key.EnumValue(i, name, length, type) == ERROR_SUCCESS; ++i, length = sizeof name) {
        names.push_back(name);
        types.push_back(type);
        EXPECT_EQ(strlen(name), length);
    }
    EXPECT_EQ((std::vector<std::string>{"First", "Second"}), names);
    EXPECT_EQ((std::vector<DWORD>{REG_DWORD, REG_SZ}), types);
    length = 2;
    EXPECT_EQ(ERROR_MORE_DATA, key.EnumValue(0, name, length, type));
}

}  // namespace
