#include "files/RunDirectory.h"

#include <gtest/gtest.h>

#include "support/Gbk.h"
#include "support/TempDir.h"

namespace {

TEST(RunDirectory, ExecutableFolderWhenWritable) {
    TempDir dir;
    EXPECT_EQ(chooseRunDirectory(dir.path(), "/unused", "/unused").path(), dir.path());
}

TEST(RunDirectory, UserDataFolderOtherwise) {
    TempDir dir;
    dir.write("file", "");
    const std::filesystem::path notAFolder = dir.path() / "file";  // cannot be written into
    const RunDirectory xdg = chooseRunDirectory(notAFolder, (dir.path() / "xdg").string(), "/h");
    EXPECT_EQ(xdg.path(), dir.path() / "xdg" / "Trovelin");
    EXPECT_TRUE(std::filesystem::is_directory(xdg.path()));
    const RunDirectory home = chooseRunDirectory(notAFolder, "", dir.path().string());
    EXPECT_EQ(home.path(), dir.path() / ".local/share/Trovelin");
    EXPECT_TRUE(std::filesystem::is_directory(home.path()));
}

TEST(RunDirectory, InstalledProgramUsesTheUserDataFolderEvenInAWritablePrefix) {
    TempDir prefix;
    std::filesystem::create_directories(prefix.path() / "bin");
    std::filesystem::create_directories(prefix.path() / "share/metainfo");
    prefix.write("share/metainfo/net.trovelin.Trovelin.metainfo.xml", "<component/>");
    const RunDirectory run =
        chooseRunDirectory(prefix.path() / "bin", (prefix.path() / "xdg").string(), "/h");
    EXPECT_EQ(run.path(), prefix.path() / "xdg" / "Trovelin");
}

TEST(RunDirectory, FileNamesAreProgramText) {
    const RunDirectory run("/data");
    EXPECT_EQ(run.file(G("YY直播源.txt")), std::filesystem::path("/data/YY直播源.txt"));
    EXPECT_EQ(RunDirectory("/数据").text(), G("/数据"));
}

TEST(RunDirectory, EnteringMakesItCurrent) {
    const std::filesystem::path before = std::filesystem::current_path();
    const RunDirectory run = enterRunDirectory();
    EXPECT_EQ(std::filesystem::current_path(), run.path());
    EXPECT_EQ(run.path(), executableDirectory());  // a build tree is writable
    std::filesystem::current_path(before);
}

}  // namespace
