#pragma once

#include <QWidget>

#include <memory>

#include "app/BatchExtraction.h"
#include "app/InputHold.h"
#include "app/ListActions.h"
#include "app/QtControls.h"
#include "app/QtListView.h"
#include "app/RequestThread.h"
#include "app/WindowWorkRunner.h"
#include "files/Config.h"
#include "files/RunDirectory.h"
#include "files/ServiceConfig.h"
#include "service/CategoryPage.h"
#include "service/ServiceEndpoints.h"
#include "sys/QtSystem.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QToolButton;
class ReportList;

// The system facilities the window's handlers use; any left null gets the Qt one.
struct WindowServices {
    MessageBoxes* messages = nullptr;
    FileChooser* files = nullptr;
    Clipboard* clipboard = nullptr;
    NoticeBox* notices = nullptr;
    ProcessStarter* processes = nullptr;
};

// The one window: its controls, the event table and the created sequence. Handlers that
// make a request run it on the window's request thread, which also owns the page object.
class MainWindow : public QWidget {
    Q_OBJECT
  public:
    MainWindow(RunDirectory run, ServiceEndpoints endpoints, AppConfig& config,
               WindowServices services = {}, WindowOptions options = {});
    ~MainWindow() override;

    // Category name, configuration, page 1, then the four push buttons disabled (unless the
    // options leave them enabled).
    void onWindowCreated();
    // Ends what still runs: requests in flight, extraction runs waiting on the lists.
    void shutDown();

  protected:
    // Closing ends the request in flight at once, so that a waiting handler lets go.
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildControls();
    void connectEvents();
    CategoryPageView pageView();
    PlayerControls playerControls();
    ListActionContext listActions();

    RunDirectory run_;
    ServiceEndpoints endpoints_;
    AppConfig& config_;
    WindowOptions options_;
    RequestThread requestThread_;
    InputHold input_{this};
    WindowWorkRunner runner_{requestThread_, input_};

    QPushButton* extractButton_ = nullptr;       // 按钮_提取直播源
    QPushButton* exportIdButton_ = nullptr;      // 按钮_导出ID标题
    QPushButton* exportSourceButton_ = nullptr;  // 按钮_导出直播源
    QPushButton* importButton_ = nullptr;        // 按钮_导入房间号
    QToolButton* helpButton_ = nullptr;          // 超级按钮1
    QGroupBox* playerGroup_ = nullptr;           // 分组框2
    QCheckBox* autoPlayBox_ = nullptr;           // 选择框1
    QPushButton* chooseButton_ = nullptr;        // 按钮3
    QLineEdit* playerPathEdit_ = nullptr;        // 播放器路径
    QLabel* pageTotalLabel_ = nullptr;           // 总页数
    QLabel* currentPageLabel_ = nullptr;         // 当前页
    ClickableLabel* nextLink_ = nullptr;         // 下一页
    ClickableLabel* previousLink_ = nullptr;     // 上一页
    QLabel* categoryLabel_ = nullptr;            // 标签4
    ReportList* streamerList_ = nullptr;         // 主播列表
    ReportList* sourceList_ = nullptr;           // 源地址

    std::unique_ptr<QtListView> streamers_;
    std::unique_ptr<QtListView> sources_;
    std::unique_ptr<QtLabelCaption> currentPage_;
    std::unique_ptr<QtLabelCaption> pageTotal_;
    std::unique_ptr<QtEditCaption> playerPath_;
    std::unique_ptr<QtCheckBox> autoPlay_;

    QtMessageBoxes qtMessages_;
    QtFileChooser qtFiles_{this};
    QtClipboard qtClipboard_;
    QtNoticeBox qtNotices_;
    QtProcessStarter qtProcesses_;
    WindowServices services_;

    std::unique_ptr<BatchExtraction> extraction_;
    bool shutDown_ = false;
};
