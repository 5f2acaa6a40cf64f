#include "sys/QtSystem.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

#include "support/Gbk.h"
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

TEST(CommandLine, StartsARealProgram) {
    QtProcessStarter starter;
    starter.run("/bin/true started-by-test");  // returns at once, nothing to wait for
    starter.run("/no/such/program x");         // not reported
    SUCCEED();
}

}  // namespace
