// The real window, offscreen: the created sequence and the event table's wiring.
#include "app/MainWindow.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTest>

#include <QToolButton>
#include <QTreeWidget>
#include <cstdlib>

#include "http/HttpRequest.h"
#include "support/FakeService.h"
#include "support/Gbk.h"
#include "support/TempDir.h"
#include "ui/MemoryControls.h"

namespace {

QString name(const char* utf8) { return QString::fromUtf8(utf8); }

class MainWindowTest : public ::testing::Test {
  protected:
    MainWindowTest() {
        service.setPageAnswer(
            1,
            "{\"data\":{\"data\":[{\"name\":\"n1\",\"desc\":\"d1\",\"sid\":101},"
            "{\"name\":\"n2\",\"desc\":\"\xE6\xA0\x87\xE9\xA2\x98\",\"sid\":202}]}}");
        endpoints.hlsHost = service.hostPort();
        endpoints.pageHost = service.hostPort();
        endpoints.relayHost = "relay.test";
        window = std::make_unique<MainWindow>(
            RunDirectory(dir.path()), endpoints, pageJson, config,
            WindowServices{&messages, &files, &clipboard, &notices, &processes});
        window->show();
        window->onWindowCreated();
    }
    ~MainWindowTest() override {
        window.reset();
        setRequestsAborted(false);
    }

    template <typename Widget>
    Widget* find(const char* objectName) {
        return window->findChild<Widget*>(name(objectName));
    }
    QTreeWidget* streamers() { return find<QTreeWidget>("主播列表"); }
    QTreeWidget* sources() { return find<QTreeWidget>("源地址"); }
    QPoint rowCentre(QTreeWidget* list, int row) {
        return list->visualItemRect(list->topLevelItem(row)).center();
    }

    FakeService service;
    TempDir dir;
    ServiceEndpoints endpoints;
    ScriptJson pageJson;
    AppConfig config;
    RecordingMessageBoxes messages;
    ScriptedFileChooser files;
    MemoryClipboard clipboard;
    RecordingNotices notices;
    RecordingProcessStarter processes;
    std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowTest, CreatedSequence) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Trovelin"));
    EXPECT_EQ(find<QLabel>("标签4")->text(), name("陪你看"));
    EXPECT_EQ(find<QLabel>("当前页")->text(), QStringLiteral("1"));
    EXPECT_EQ(find<QLabel>("总页数")->text(), QStringLiteral("/16"));
    ASSERT_EQ(streamers()->topLevelItemCount(), 2);
    EXPECT_EQ(streamers()->topLevelItem(1)->text(2), name("标题"));
    EXPECT_EQ(streamers()->topLevelItem(1)->text(4),
              QStringLiteral("http://relay.test/dl/yy1.php?t=202"));
    EXPECT_EQ(streamers()->headerItem()->text(4), name("永久直播源地址"));
    EXPECT_EQ(sources()->topLevelItemCount(), 0);
    for (const char* button :
         {"按钮_提取直播源", "按钮_导出ID标题", "按钮_导出直播源", "按钮_导入房间号"}) {
        SCOPED_TRACE(button);
        EXPECT_FALSE(find<QPushButton>(button)->isEnabled());
    }
    EXPECT_TRUE(find<QPushButton>("按钮3")->isEnabled());
    EXPECT_EQ(find<QLineEdit>("播放器路径")->text(), name("请选择你的播放器路径"));
    EXPECT_EQ(dir.read("config.conf"), "[config]\r\nplayPath=null\r\nauto=false");
    // For looking at the window: TROVELIN_SCREENSHOT=/tmp/window.png
    if (const char* shot = std::getenv("TROVELIN_SCREENSHOT"))
        window->grab().save(QString::fromUtf8(shot));
}

TEST_F(MainWindowTest, DoubleClickOnARowResolvesIt) {
    QWidget* viewport = streamers()->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, rowCentre(streamers(), 0));
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, rowCentre(streamers(), 0));
    ASSERT_EQ(sources()->topLevelItemCount(), 1);
    EXPECT_EQ(sources()->topLevelItem(0)->text(0), QStringLiteral("d1"));
    EXPECT_EQ(sources()->topLevelItem(0)->text(1),
              QString::fromStdString(FakeService::addressOf("101")));

    // With auto-play and a player, a double-click on the source starts it.
    find<QLineEdit>("播放器路径")->setText(QStringLiteral("/usr/bin/mpv"));
    find<QCheckBox>("选择框1")->setChecked(true);
    QWidget* sourceViewport = sources()->viewport();
    QTest::mouseClick(sourceViewport, Qt::LeftButton, {}, rowCentre(sources(), 0));
    QTest::mouseDClick(sourceViewport, Qt::LeftButton, {}, rowCentre(sources(), 0));
    EXPECT_EQ(processes.started, (std::vector<RecordingProcessStarter::Start>{
                                     {"/usr/bin/mpv", {FakeService::addressOf("101")}}}));
    EXPECT_EQ(clipboard.readText(), FakeService::addressOf("101"));
}

TEST_F(MainWindowTest, RightPressSeesTheEarlierSelection) {
    QWidget* viewport = streamers()->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, rowCentre(streamers(), 0));
    QTest::mousePress(viewport, Qt::RightButton, {}, rowCentre(streamers(), 1));
    ASSERT_EQ(notices.shown.size(), 1u);
    EXPECT_NE(notices.shown[0].find(G("d1【101】")), std::string::npos);
    QTest::mouseRelease(viewport, Qt::RightButton, {}, rowCentre(streamers(), 1));
    EXPECT_TRUE(streamers()->topLevelItem(1)->isSelected());  // selected after the handler
}

TEST_F(MainWindowTest, PressOnEmptySpaceClearsTheSelection) {
    QWidget* viewport = streamers()->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, rowCentre(streamers(), 0));
    const QPoint below(20, viewport->height() - 5);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, below);
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, below);
    ASSERT_EQ(sources()->topLevelItemCount(), 1);
    EXPECT_EQ(sources()->topLevelItem(0)->text(0), QString());  // no row was selected
}

TEST_F(MainWindowTest, PageLinksAndPlayerControls) {
    QTest::mouseClick(find<QLabel>("下一页"), Qt::LeftButton);
    EXPECT_EQ(find<QLabel>("当前页")->text(), QStringLiteral("2"));
    EXPECT_EQ(streamers()->topLevelItemCount(), 0);  // the fake's page 2 is empty
    QTest::mouseClick(find<QLabel>("上一页"), Qt::LeftButton);
    EXPECT_EQ(find<QLabel>("当前页")->text(), QStringLiteral("1"));
    EXPECT_EQ(streamers()->topLevelItemCount(), 2);

    QTest::mouseClick(find<QCheckBox>("选择框1"), Qt::LeftButton);  // playPath is still null
    EXPECT_FALSE(find<QCheckBox>("选择框1")->isChecked());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].type, 48);

    files.answers = {"/usr/bin/vlc"};
    QTest::mouseClick(find<QPushButton>("按钮3"), Qt::LeftButton);
    EXPECT_EQ(find<QLineEdit>("播放器路径")->text(), QStringLiteral("/usr/bin/vlc"));
    EXPECT_EQ(dir.read("config.conf"), "[config]\r\nplayPath=/usr/bin/vlc\r\nauto=false");
    QTest::mouseClick(find<QToolButton>("超级按钮1"), Qt::LeftButton);
    EXPECT_EQ(messages.shown.back().type, 64);
}

TEST_F(MainWindowTest, BatchRunThroughTheRealListFromAnotherThread) {
    QtListView list(streamers());
    BatchExtraction extraction(list, endpoints);
    extraction.startExtraction();
    extraction.waitForRuns([] { QCoreApplication::processEvents(); });
    EXPECT_EQ(streamers()->topLevelItem(0)->text(4),
              QString::fromStdString(FakeService::addressOf("101")));
    EXPECT_EQ(streamers()->topLevelItem(1)->text(4),
              QString::fromStdString(FakeService::addressOf("202")));
}

TEST_F(MainWindowTest, ShutDownEndsARunThatWaitsOnTheList) {
    service.setAnswerDelayMs(200);
    find<QPushButton>("按钮_提取直播源")->setEnabled(true);
    QTest::mouseClick(find<QPushButton>("按钮_提取直播源"), Qt::LeftButton);
    window->shutDown();  // returns: requests aborted, list calls refused
    SUCCEED();
}

}  // namespace
