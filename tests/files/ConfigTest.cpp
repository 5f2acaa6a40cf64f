#include "files/Config.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "files/PlayerSelection.h"
#include "support/Gbk.h"
#include "support/TempDir.h"
#include "ui/MemoryCaption.h"
#include "ui/MemoryControls.h"

namespace {

class ConfigTest : public ::testing::Test {
  protected:
    PlayerControls controls() { return {playerPath, autoPlay}; }
    std::string file() const { return dir.read("config.conf"); }
    void start(const std::string* content) {
        if (content) dir.write("config.conf", *content);
        loadConfig(run, controls(), config);
    }

    TempDir dir;
    RunDirectory run{dir.path()};
    MemoryCaption playerPath{"*"};
    MemoryCheckBox autoPlay{false};
    AppConfig config;
    RecordingMessageBoxes messages;
    ScriptedFileChooser chooser;
};

TEST_F(ConfigTest, MissingFileIsCreatedWithTheDefaults) {
    autoPlay.setChecked(true);  // the window's own initial state is kept
    start(nullptr);
    EXPECT_EQ(file(), "[config]\r\nplayPath=null\r\nauto=false");
    EXPECT_EQ(file().size(), 35u);
    EXPECT_EQ(playerPath.text(), G("请选择你的播放器路径"));
    EXPECT_TRUE(autoPlay.isChecked());
    EXPECT_EQ(config.playPath, "");
    EXPECT_EQ(config.autoPlay, "");
}

TEST_F(ConfigTest, StartUpTable) {
    struct Case {
        const char* name;
        std::string content;
        std::string shown;
        bool checked;
    };
    const std::vector<Case> cases = {
        {"null is the placeholder", "[config]\r\nplayPath=null\r\nauto=false",
         G("请选择你的播放器路径"), false},
        {"NULL in capitals is shown as it is", "[config]\r\nplayPath=NULL\r\nauto=true", "NULL",
         true},
        {"empty file", "", "", true},
        {"auto False with a capital", "[config]\r\nplayPath=/p\r\nauto=False", "/p", true},
        {"auto 1", "[config]\r\nplayPath=/p\r\nauto=1", "/p", true},
        {"missing auto", "[config]\r\nplayPath=/usr/bin/vlc", "/usr/bin/vlc", true},
        {"Chinese path", G("[config]\r\nplayPath=/播放器/mpv\r\nauto=false"), G("/播放器/mpv"),
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        autoPlay.setChecked(false);
        start(&c.content);
        EXPECT_EQ(playerPath.text(), c.shown);
        EXPECT_EQ(autoPlay.isChecked(), c.checked);
        EXPECT_EQ(file(), c.content);  // an existing file is never rewritten at start-up
    }
}

TEST_F(ConfigTest, ChoosingThePlayerStoresIt) {
    start(nullptr);
    chooser.answers = {"/usr/bin/mpv"};
    choosePlayer(controls(), chooser, messages, run, config);
    EXPECT_EQ(playerPath.text(), "/usr/bin/mpv");
    EXPECT_EQ(file(), "[config]\r\nplayPath=/usr/bin/mpv\r\nauto=false");
    ASSERT_EQ(chooser.requests.size(), 1u);
    EXPECT_EQ(chooser.requests[0].title, G("打开..."));
    EXPECT_EQ(chooser.requests[0].filter, (FileFilter{{G("可执行文件(*)"), "*"}}));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ConfigTest, CancellingRestoresTheStartUpValue) {
    const std::string withNull = "[config]\r\nplayPath=null\r\nauto=false";
    start(&withNull);
    choosePlayer(controls(), chooser, messages, run, config);
    EXPECT_EQ(playerPath.text(), "null");
    EXPECT_EQ(file(), withNull);

    TempDir other;
    RunDirectory fresh(other.path());
    AppConfig created;
    loadConfig(fresh, controls(), created);
    chooser.answers = {"/usr/bin/mpv", ""};
    choosePlayer(controls(), chooser, messages, fresh, created);
    choosePlayer(controls(), chooser, messages, fresh, created);  // cancelled
    EXPECT_EQ(playerPath.text(), "");  // not the player chosen earlier in the run
}

TEST_F(ConfigTest, AutoPlayNeedsAPlayer) {
    start(nullptr);
    autoPlay.setChecked(true);
    toggleAutoPlay(controls(), messages, run);
    EXPECT_FALSE(autoPlay.isChecked());
    EXPECT_EQ(messages.shown,
              (std::vector<ShownMessage>{{G("你必须先选择播放器的路径才能勾选此项"), 48, ""}}));
    EXPECT_EQ(file(), "[config]\r\nplayPath=null\r\nauto=false");

    chooser.answers = {"/usr/bin/mpv"};
    choosePlayer(controls(), chooser, messages, run, config);
    autoPlay.setChecked(true);
    toggleAutoPlay(controls(), messages, run);
    EXPECT_TRUE(autoPlay.isChecked());
    EXPECT_EQ(file(), "[config]\r\nplayPath=/usr/bin/mpv\r\nauto=true");
    EXPECT_EQ(messages.shown.size(), 1u);

    autoPlay.setChecked(false);
    toggleAutoPlay(controls(), messages, run);
    EXPECT_EQ(file(), "[config]\r\nplayPath=/usr/bin/mpv\r\nauto=false");
}

TEST_F(ConfigTest, WriteFailureIsReportedAndControlsKeepTheirState) {
    dir.write("plain", "");
    RunDirectory broken(dir.path() / "plain");  // a file where the folder should be
    AppConfig none;
    loadConfig(broken, controls(), none);
    EXPECT_EQ(playerPath.text(), G("请选择你的播放器路径"));
    chooser.answers = {"/usr/bin/mpv"};
    choosePlayer(controls(), chooser, messages, broken, none);
    EXPECT_EQ(playerPath.text(), "/usr/bin/mpv");
    autoPlay.setChecked(true);
    toggleAutoPlay(controls(), messages, broken);
    EXPECT_TRUE(autoPlay.isChecked());
    const ShownMessage failed{G("配置保存失败!请重试"), 48, ""};
    EXPECT_EQ(messages.shown, (std::vector<ShownMessage>{failed, failed}));
}

TEST_F(ConfigTest, DialogLeavesTheCurrentDirectory) {
    const std::filesystem::path before = std::filesystem::current_path();
    chooser.whileOpen = [&] { std::filesystem::current_path(dir.path()); };
    chooser.answers = {"/x"};
    EXPECT_EQ(openFileDialog(chooser), "/x");
    EXPECT_EQ(std::filesystem::current_path(), before);
    EXPECT_EQ(openFileDialog(chooser), "");  // cancelled
    EXPECT_EQ(std::filesystem::current_path(), before);
    EXPECT_EQ(chooser.requests[0].title, G("打开文件"));
    EXPECT_EQ(chooser.requests[0].filter, (FileFilter{{G("所有文件(*.*)"), "*.*"}}));
    EXPECT_EQ(chooser.requests[0].initialDirectory, before.string());
    openFileDialog(chooser, GbkText("/start"), std::nullopt, std::nullopt, true);
    EXPECT_EQ(std::filesystem::current_path(), dir.path());  // kept on request
    EXPECT_EQ(chooser.requests[2].initialDirectory, "/start");
    std::filesystem::current_path(before);
}

TEST_F(ConfigTest, ReadOnlyFileIsNeverRewritten) {
    const std::string content = "[config]\r\nplayPath=/usr/bin/mpv\r\nauto=false";
    start(&content);
    std::filesystem::permissions(
        dir.path() / "config.conf",
        std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    autoPlay.setChecked(true);
    toggleAutoPlay(controls(), messages, run);
    EXPECT_EQ(file(), content);  // even for root, who could replace it
    EXPECT_EQ(messages.shown, (std::vector<ShownMessage>{{G("配置保存失败!请重试"), 48, ""}}));
}

TEST_F(ConfigTest, LinkedFileIsWrittenThroughTheLink) {
    const std::filesystem::path elsewhere = dir.path() / "elsewhere";
    std::filesystem::create_directory(elsewhere);
    dir.write("elsewhere/real.conf", "[config]\r\nplayPath=/usr/bin/mpv\r\nauto=false");
    std::filesystem::create_symlink("elsewhere/real.conf", dir.path() / "config.conf");
    start(nullptr);
    autoPlay.setChecked(true);
    toggleAutoPlay(controls(), messages, run);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.path() / "config.conf"));
    EXPECT_EQ(dir.read("elsewhere/real.conf"), "[config]\r\nplayPath=/usr/bin/mpv\r\nauto=true");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ConfigTest, DanglingLinkIsNotFollowedAtStartUp) {
    const std::filesystem::path target = dir.path() / "nowhere.conf";
    std::filesystem::create_symlink(target, dir.path() / "config.conf");
    start(nullptr);
    EXPECT_FALSE(std::filesystem::exists(target));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.path() / "config.conf"));
    EXPECT_EQ(playerPath.text(), G("请选择你的播放器路径"));
    EXPECT_FALSE(writeConfigKey(run, "auto", "true", messages));  // nor by a key write
    EXPECT_FALSE(std::filesystem::exists(target));
}

TEST_F(ConfigTest, NulEndsAValue) {
    static const char kBytes[] = "[config]\r\nplayPath=/usr/bin/mpv\0 --evil\r\n";
    const std::string content(kBytes, sizeof kBytes - 1);
    start(&content);
    EXPECT_EQ(config.playPath, "/usr/bin/mpv");
    EXPECT_EQ(playerPath.text(), "/usr/bin/mpv");
}

TEST_F(ConfigTest, Help) {
    showHelp(messages);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].type, 64);
    EXPECT_EQ(messages.shown[0].text, G("必须有播放器路径才能勾选自动播放!\r\n如果自动播放出现异常,"
                                        "你还可以手动打开你的播放器进行播放,地址已经复制到剪切板"));
}

}  // namespace
