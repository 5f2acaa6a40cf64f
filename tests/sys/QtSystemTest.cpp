#include "sys/QtSystem.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <filesystem>
#include <string>
#include <vector>

#include "support/Gbk.h"
#include "support/TempDir.h"
#include "sys/CommandLine.h"

namespace {

TEST(QtClipboard, TextComesBackAsProgramText) {
    QtClipboard clipboard;
    const GbkText entry = G("#EXTINF:-1 group-title=\"YY影视轮播\",标题\r\nhttp://a/b.m3u8");
    clipboard.setText(entry);
    EXPECT_EQ(clipboard.readText(), entry);
    clipboard.setText("plain ascii");
    EXPECT_EQ(clipboard.readText(), "plain ascii");
    QGuiApplication::clipboard()->setText(
        QString::fromUtf8("a\xF0\x9F\x98\x80"
                          "e\xCC\x81"));
    EXPECT_EQ(clipboard.readText(), "a?" + G("é"));  // composed, then "?" for the emoji
    QGuiApplication::clipboard()->clear();
    EXPECT_EQ(clipboard.readText(), "");
}

TEST(TimedNotice, ClosesItselfOrReportsOk) {
    EXPECT_EQ(showTimedNotice("bye", 0, {}, nullptr, 50), 31999);
    QTimer::singleShot(50, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box != nullptr) {
            EXPECT_EQ(box->windowTitle(), QString::fromUtf8("友情提醒"));
            box->button(QMessageBox::Ok)->click();
        }
    });
    EXPECT_EQ(showTimedNotice("ok?", 0, {}, nullptr, 5000), 0);
}

TEST(FindProcessWindow, FirstWindowDecides) {
    QWidget first;
    first.setWindowTitle(QStringLiteral("Trovelin"));
    QWidget second;
    second.setWindowTitle(QStringLiteral("Other"));
    EXPECT_EQ(findProcessWindow(), QApplication::topLevelWidgets().first());
    QWidget* decider = QApplication::topLevelWidgets().first();
    const GbkText title = fromQString(decider->windowTitle());
    EXPECT_EQ(findProcessWindow(title, "QWidget"), decider);
    EXPECT_EQ(findProcessWindow("no such title"), nullptr);  // later windows are not tried
}

TEST(CommandLine, SplitsAsThePlatformWould) {
    auto programs = [](std::initializer_list<const char*> names) {
        return [names](const std::filesystem::path& path) {
            for (const char* n : names) {
                if (path == n) return true;
            }
            return false;
        };
    };
    const CommandLine plain =
        splitCommandLine("/usr/bin/mpv http://a/b", programs({"/usr/bin/mpv"}));
    EXPECT_EQ(plain.program, "/usr/bin/mpv");
    EXPECT_EQ(plain.arguments, (std::vector<std::string>{"http://a/b"}));
    const CommandLine spaced =
        splitCommandLine("/opt/My Player/mpv http://a", programs({"/opt/My Player/mpv"}));
    EXPECT_EQ(spaced.program, "/opt/My Player/mpv");
    EXPECT_EQ(spaced.arguments, (std::vector<std::string>{"http://a"}));
    const CommandLine emptyAddress = splitCommandLine("/usr/bin/mpv ", programs({"/usr/bin/mpv"}));
    EXPECT_TRUE(emptyAddress.arguments.empty());
    const CommandLine unknown = splitCommandLine(G("请选择你的播放器路径 http://a"), programs({}));
    EXPECT_EQ(unknown.program, "请选择你的播放器路径");
    EXPECT_EQ(unknown.arguments, (std::vector<std::string>{"http://a"}));
    const CommandLine injected = splitCommandLine("mpv x;rm -rf /", programs({}));
    EXPECT_EQ(injected.program, "mpv");  // no shell: the rest are plain arguments
    EXPECT_EQ(injected.arguments, (std::vector<std::string>{"x;rm", "-rf", "/"}));
}

// A stand-in player that writes its arguments, each ended by a NUL, then renames the file
// into place, so that a reader sees all of them or nothing.
class StandInPlayer {
  public:
    explicit StandInPlayer(const std::string& folder) {
        std::filesystem::create_directories(dir_.path() / folder);
        program_ = dir_.path() / folder / "player";
        dir_.write(folder + "/player",
                   "#!/bin/sh\nout=\"" + (dir_.path() / "argv").string() +
                       "\"\nfor a in \"$@\"; do printf '%s\\0' \"$a\"; done > \"$out.tmp\"\n"
                       "mv \"$out.tmp\" \"$out\"\n");
        std::filesystem::permissions(program_, std::filesystem::perms::owner_all);
    }
    const std::filesystem::path& program() const { return program_; }
    const std::filesystem::path& folder() const { return dir_.path(); }
    // The arguments of the one run, once it has written them.
    std::vector<std::string> arguments() const {
        const std::filesystem::path argv = dir_.path() / "argv";
        std::vector<std::string> words;
        if (!QTest::qWaitFor([&] { return std::filesystem::exists(argv); }, 10000)) return {"?"};
        const std::string bytes = dir_.read("argv");
        for (std::size_t at = 0; at < bytes.size();) {
            const std::size_t end = bytes.find('\0', at);
            words.push_back(bytes.substr(at, end - at));
            at = end + 1;
        }
        return words;
    }

  private:
    TempDir dir_;
    std::filesystem::path program_;
};

TEST(CommandLine, ThePlayerGetsTheAddressAsOneArgument) {
    struct Case {
        const char* name;
        const char* folder;
        bool quoted;
        std::string options;
        std::vector<GbkText> appended;
        std::vector<std::string> expected;
    };
    const std::string url = "http://x/a.m3u8";
    const std::vector<Case> cases = {
        {"plain address", "bin", false, "", {url}, {url}},
        {"blanks and options stay in one argument",
         "bin",
         false,
         "",
         {url + " --script=/tmp/x.lua"},
         {url + " --script=/tmp/x.lua"}},
        {"a leading dash is no option of ours", "bin", false, "", {"-vf=x"}, {"-vf=x"}},
        {"no shell",
         "bin",
         false,
         "",
         {"http://x/;$(touch pwned)`touch pwned`"},
         {"http://x/;$(touch pwned)`touch pwned`"}},
        {"path with blanks", "My Player", false, "", {url}, {url}},
        {"quoted path with blanks", "My Player", true, "", {url}, {url}},
        {"the user's own option first", "My Player", false, " --fs", {url}, {"--fs", url}},
        {"no address", "bin", false, "", {}, {}},
    };
    QtProcessStarter starter;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const StandInPlayer player(c.folder);
        const std::string path = player.program().string();
        const std::string line = (c.quoted ? "\"" + path + "\"" : path) + c.options;
        starter.run(line, c.appended);
        EXPECT_EQ(player.arguments(), c.expected);
        EXPECT_FALSE(std::filesystem::exists(player.folder() / "pwned"));
    }
    starter.run("/no/such/program x", {url});  // not reported
}

}  // namespace
