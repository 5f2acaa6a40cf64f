#include "files/IniFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/TempDir.h"

namespace {

class IniFileTest : public ::testing::Test {
  protected:
    std::filesystem::path file() const { return dir.path() / "config.conf"; }
    TempDir dir;
};

TEST_F(IniFileTest, ReadRules) {
    dir.write("config.conf",
              "; comment\r\n[Other]\r\nplayPath=wrong\r\n[ CONFIG ]\r\n  PlayPath =  C:\\a b  \r\n"
              "auto=x=y\r\nempty=\r\nplayPath=second\r\n");
    EXPECT_EQ(readIniValue(file(), "config", "playPath"), "C:\\a b");
    EXPECT_EQ(readIniValue(file(), "Config", "AUTO"), "x=y");
    EXPECT_EQ(readIniValue(file(), "config", "empty"), "");
    EXPECT_EQ(readIniValue(file(), "config", "missing"), "");
    EXPECT_EQ(readIniValue(file(), "absent", "playPath"), "");
    EXPECT_EQ(readIniValue(dir.path() / "none.conf", "config", "playPath"), "");
    dir.write("lf.conf", "[config]\nauto=true\n");
    EXPECT_EQ(readIniValue(dir.path() / "lf.conf", "config", "auto"), "true");
}

TEST_F(IniFileTest, LongValuesAreCutAtTheLimit) {
    dir.write("config.conf", "[config]\r\nk=" + std::string(20000, 'v') + "\r\n");
    EXPECT_EQ(readIniValue(file(), "config", "k").size(), kIniValueLimit);
    // A double-byte character straddling the limit is left out whole.
    dir.write("config.conf", "[config]\r\nk=" + std::string(10238, 'v') + "\xD6\xD0" + "\r\n");
    EXPECT_EQ(readIniValue(file(), "config", "k"), std::string(10238, 'v'));
}

TEST_F(IniFileTest, WritesKeepEveryOtherLine) {
    struct Case {
        const char* name;
        std::string before;
        std::string section;
        std::string key;
        std::string value;
        std::string after;
    };
    const std::vector<Case> cases = {
        {"replace in place", "[config]\r\nplayPath=null\r\nauto=false", "config", "playPath",
         "/usr/bin/mpv", "[config]\r\nplayPath=/usr/bin/mpv\r\nauto=false"},
        {"key matched without case", "[CONFIG]\r\nAUTO=false\r\n", "config", "auto", "true",
         "[CONFIG]\r\nauto=true\r\n"},
        {"missing key at the end of its section",
         "[config]\r\nplayPath=x\r\n\r\n[other]\r\nk=v\r\n", "config", "auto", "true",
         "[config]\r\nplayPath=x\r\nauto=true\r\n\r\n[other]\r\nk=v\r\n"},
        {"missing key after a last line without break", "[config]\r\nplayPath=x", "config", "auto",
         "true", "[config]\r\nplayPath=x\r\nauto=true"},
        {"missing section appended", "; keep me\r\n[other]\r\nk=v", "config", "auto", "false",
         "; keep me\r\n[other]\r\nk=v\r\n[config]\r\nauto=false\r\n"},
        {"unknown lines and LF endings stay", "junk line\n[config]\nauto=false\nodd;line\n",
         "config", "auto", "true", "junk line\n[config]\nauto=true\nodd;line\n"},
        {"empty file", "", "config", "auto", "true", "[config]\r\nauto=true\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dir.write("config.conf", c.before);
        EXPECT_TRUE(writeIniValue(file(), c.section, c.key, c.value));
        EXPECT_EQ(dir.read("config.conf"), c.after);
    }
}

TEST_F(IniFileTest, WriteCreatesTheFileAndRefusesLineBreaks) {
    EXPECT_TRUE(writeIniValue(file(), "config", "playPath", "p"));
    EXPECT_EQ(dir.read("config.conf"), "[config]\r\nplayPath=p\r\n");
    EXPECT_FALSE(writeIniValue(file(), "config", "playPath", "a\r\n[evil]"));
    EXPECT_EQ(dir.read("config.conf"), "[config]\r\nplayPath=p\r\n");
}

TEST_F(IniFileTest, UnwritableFolderFailsAndLeavesNoTemporaryFiles) {
    dir.write("plain", "x");
    EXPECT_FALSE(writeIniValue(dir.path() / "plain" / "config.conf", "config", "auto", "true"));
    dir.write("config.conf", "[config]\r\nauto=false");
    EXPECT_TRUE(writeIniValue(file(), "config", "auto", "true"));
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 2u);  // plain and config.conf, no leftovers
}

}  // namespace
