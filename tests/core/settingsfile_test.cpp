#include "core/radiolink/settingsfile.h"

#include "testimage.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>

#include <sys/stat.h>

namespace tarsel {
namespace {

namespace fs = std::filesystem;

class SettingsFileTest : public ::testing::Test {
protected:
    void Put(const std::string& text) const { std::ofstream(path_, std::ios::binary) << text; }
    std::string Get() const { return test::FileText(path_); }

    test::CTempDir dir_;
    fs::path path_ = dir_ / "Program.ini";
};

TEST_F(SettingsFileTest, ReadsTextAsTheProfileFunctionsDo) {
    const std::string longValue(300, 'a');
    struct Case {
        const char* name;
        std::string file, section, key, expected;
    } cases[] = {
        {"crlf", "[Setup]\r\nCOM=3\r\nType=TZ-316\r\n", "Setup", "Type", "TZ-316"},
        {"any case", "[setup]\nCom=3\n", "SETUP", "cOM", "3"},
        {"blanks trimmed", "  [ Setup ]  \n\t Type =  TZ 316 \t\n", "Setup", "Type", "TZ 316"},
        {"double quotes", "[S]\nk=\" a b \"\n", "S", "k", " a b "},
        {"single quotes", "[S]\nk='x'\n", "S", "k", "x"},
        {"unmatched quotes", "[S]\nk=\"x'\n", "S", "k", "\"x'"},
        {"lone quote", "[S]\nk=\"\n", "S", "k", "\""},
        {"first key wins", "[S]\nk=1\nK=2\n", "S", "k", "1"},
        {"first section only", "[S]\nk=1\n[T]\nj=0\n[s]\nk=2\nj=3\n", "S", "j", ""},
        {"before any section", "k=1\n[S]\n", "S", "k", ""},
        {"comment", "[S]\n;k=1\n", "S", "k", ""},
        {"no equals", "[S]\nk\n", "S", "k", ""},
        {"header remark", "[S] ; setup\nk=1\n", "S", "k", "1"},
        {"second equals", "[S]\nk=a=b\n", "S", "k", "a=b"},
        {"missing key", "[S]\nk=1\n", "S", "x", ""},
        {"missing section", "[S]\nk=1\n", "T", "k", ""},
        {"utf-8", "[Setup]\nType=对讲机\n", "Setup", "Type", "对讲机"},
        {"gb2312", "[Setup]\nType=\xB6\xD4\xBD\xB2\xBB\xFA\n", "Setup", "Type",
         "\xB6\xD4\xBD\xB2\xBB\xFA"},
        {"non-ascii key", "[S]\n\xC3\x89=1\n", "S", "\xC3\xA9", ""},
        {"cut", "[S]\nk=" + longValue + "\n", "S", "k", longValue.substr(0, 259)},
        {"quoted cut", "[S]\nk=\"" + longValue + "\"\n", "S", "k", longValue.substr(0, 259)},
        {"nul ends", std::string("[S]\nk=a\0b\n", 10), "S", "k", "a"},
    };
    for (const Case& c : cases) {
        Put(c.file);
        EXPECT_EQ(CSettingsFile(path_).ReadText(c.section, c.key), c.expected) << c.name;
    }
}

TEST_F(SettingsFileTest, ReadsIntegersAsTheProfileFunctionsDo) {
    // A missing file is created empty.
    EXPECT_EQ(CSettingsFile(path_).ReadInteger("Setup", "COM", -1), -1);
    EXPECT_EQ(fs::file_size(path_), 0u);
    struct Case {
        const char* value;
        int expected;
    } cases[] = {{"3", 3},   {"", 77},        {"55zz", 55},      {"zz", 0},
                 {"0x1F", 31}, {"-5", -5},      {"+7", 7},         {"\"12\"", 12},
                 {"0x", 0},   {"4294967297", 1}, {"2147483648", INT_MIN}};
    for (const Case& c : cases) {
        Put(std::string("[Setup]\r\nCOM=") + c.value + "\r\n");
        EXPECT_EQ(CSettingsFile(path_).ReadInteger("Setup", "COM", 77), c.expected) << c.value;
    }
}

TEST_F(SettingsFileTest, ReadsASectionIntoKeysAndValues) {
    Put("[Version]\r\nv1.2.3=V2.0\r\n; remark\r\n\r\nv1 = V1.5\r\njunk\r\n=x\r\nq=\"V3\"\r\n"
        "[Other]\r\na=b\r\n");
    const CSettingsFile settings(path_);
    std::vector<std::string> keys{"stale"}, values{"stale"};
    EXPECT_EQ(settings.ReadSection("version", keys, values), 5);
    EXPECT_EQ(keys, (std::vector<std::string>{"v1.2.3", "v1", "", "", "q"}));
    EXPECT_EQ(values, (std::vector<std::string>{"V2.0", "V1.5", "junk", "x", "\"V3\""}));

    EXPECT_EQ(settings.ReadSection("Missing", keys, values), 0);
    EXPECT_TRUE(keys.empty());
    EXPECT_TRUE(values.empty());
}

TEST_F(SettingsFileTest, WritingOneKeyKeepsEveryOtherLine) {
    struct Case {
        const char* name;
        std::string before, section, key, value, after;
    } cases[] = {
        {"in place", "; top\r\n[Setup]\r\ncom = 3\r\nType=X\r\n[About]\r\nVersion=1\r\n", "Setup",
         "COM", "10", "; top\r\n[Setup]\r\ncom=10\r\nType=X\r\n[About]\r\nVersion=1\r\n"},
        {"added to its section", "[Setup]\nType=X\n\n[About]\nV=1\n", "setup", "COM", "5",
         "[Setup]\nType=X\nCOM=5\n\n[About]\nV=1\n"},
        {"new section", "[About]\r\nV=1\r\n", "Setup", "COM", "5",
         "[About]\r\nV=1\r\n\r\n[Setup]\r\nCOM=5\r\n"},
        {"new section after blank", "[About]\nV=1\n\n", "Setup", "COM", "5",
         "[About]\nV=1\n\n[Setup]\nCOM=5\n"},
        {"empty file", "", "Setup", "COM", "5", "[Setup]\nCOM=5\n"},
        {"no last line ending", "[Setup]\nType=X", "Setup", "COM", "5", "[Setup]\nType=X\nCOM=5\n"},
        {"file ends in a bare CR", "[Setup]\nType=X\r", "Setup", "COM", "5",
         "[Setup]\nType=X\r\nCOM=5\n"},
        {"no last line ending, new section", "[About]\nV=1", "Setup", "COM", "5",
         "[About]\nV=1\n\n[Setup]\nCOM=5\n"},
        {"entry without equals", "[Setup]\nCOM\n", "Setup", "COM", "5", "[Setup]\nCOM=5\n"},
        {"comment untouched", "[Setup]\n;COM=1\n", "Setup", "COM", "5", "[Setup]\n;COM=1\nCOM=5\n"},
        {"first section", "[Setup]\nA=1\n[Setup]\nCOM=2\n", "Setup", "COM", "5",
         "[Setup]\nA=1\nCOM=5\n[Setup]\nCOM=2\n"},
        {"bytes kept", "[About]\nCompany=\xC9\xCF\xBA\xA3\n[Setup]\nCOM=1\n", "Setup", "COM",
         "\xB6\xD4", "[About]\nCompany=\xC9\xCF\xBA\xA3\n[Setup]\nCOM=\xB6\xD4\n"},
    };
    for (const Case& c : cases) {
        Put(c.before);
        CSettingsFile settings(path_);
        EXPECT_TRUE(settings.WriteText(c.section, c.key, c.value)) << c.name;
        EXPECT_EQ(Get(), c.after) << c.name;
        EXPECT_EQ(settings.ReadText(c.section, c.key), c.value) << c.name;
    }
}

TEST_F(SettingsFileTest, RefusesWritesThatWouldBreakTheFile) {
    const std::string before = "[Setup]\nCOM=1\n";
    struct Case {
        std::string section, key, value;
    } cases[] = {
        {"Setup", "a=b", "1"},  {"Setup", "", "1"},      {"", "COM", "1"},
        {"Setup", "COM", "1\r2"}, {"Se]tup", "COM", "1"}, {"Setup", ";COM", "1"},
        {"Setup", "[COM", "1"}, {"Setup", "COM", "1\n[Ports]\nCOM1=/dev/sda"},
        {"Setup", "COM", std::string("1\0", 2)},
    };
    for (const Case& c : cases) {
        Put(before);
        EXPECT_FALSE(CSettingsFile(path_).WriteText(c.section, c.key, c.value)) << c.key;
        EXPECT_EQ(Get(), before) << c.key;
    }
}

TEST_F(SettingsFileTest, WritingKeepsTheFilesLinkAndMode) {
    const fs::path real = dir_ / "real.ini";
    std::ofstream(real) << "[Setup]\nCOM=1\n";
    ::chmod(real.c_str(), 0640);
    fs::create_symlink(real, path_);

    ASSERT_TRUE(CSettingsFile(path_).WriteInteger("Setup", "COM", 4));
    EXPECT_TRUE(fs::is_symlink(path_));
    EXPECT_EQ(CSettingsFile(real).ReadInteger("Setup", "COM", 0), 4);
    struct stat info {};
    ASSERT_EQ(::stat(real.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_.Path()), fs::directory_iterator()), 2);
}

TEST_F(SettingsFileTest, ADirectoryInPlaceOfTheFileReadsAsEmptyAndIsNotReplaced) {
    fs::create_directory(path_);
    CSettingsFile settings(path_);
    EXPECT_EQ(settings.ReadText("Setup", "Type"), "");
    EXPECT_EQ(settings.ReadInteger("Setup", "COM", 5), 5);
    EXPECT_FALSE(settings.WriteInteger("Setup", "COM", 3));
    EXPECT_TRUE(fs::is_directory(path_));
}

} // namespace
} // namespace tarsel
