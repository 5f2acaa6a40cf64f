#include "app/MainWindow.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFont>
#include <QGroupBox>
#include <QHeaderView>
#include <QIcon>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

#include "app/ReportList.h"
#include "files/DateTimeFormat.h"
#include "files/Export.h"
#include "files/PlayerSelection.h"
#include "files/RoomImport.h"
#include "http/HttpRequest.h"
#include "text/Charset.h"

namespace {

QString text(const char* utf8) { return QString::fromUtf8(utf8); }

QFont boldFont(int pixels) {
    QFont font;
    font.setPixelSize(pixels);
    font.setBold(true);
    return font;
}

template <typename Widget>
Widget* place(Widget* widget, const char* name, int left, int top, int width, int height) {
    widget->setObjectName(text(name));
    widget->setGeometry(left, top, width, height);
    return widget;
}

QPushButton* bigButton(QWidget* parent, const char* name, const char* caption, int left, int top) {
    return place(new QPushButton(text(caption), parent), name, left, top, 72, 64);
}

ReportList* reportList(QWidget* parent, const char* name,
                       const std::vector<std::pair<const char*, int>>& columns) {
    auto* list = new ReportList(parent);
    list->setObjectName(text(name));
    QStringList titles;
    for (const auto& column : columns) titles << text(column.first);
    list->setHeaderLabels(titles);
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        list->setColumnWidth(i, columns[static_cast<std::size_t>(i)].second);
    }
    list->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return list;
}

// A round question mark, drawn as lines: looking up the style's icon theme, or laying out a
// glyph, would cost the start-up more than the window's other controls.
QIcon questionIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink(0x2a, 0x5d, 0xb0);
    painter.setPen(QPen(ink, 2));
    painter.setBrush(QColor(0xe8, 0xf0, 0xfc));
    painter.drawEllipse(QRectF(2, 2, 28, 28));
    QPainterPath hook;
    hook.arcMoveTo(QRectF(11, 7, 10, 10), 160);
    hook.arcTo(QRectF(11, 7, 10, 10), 160, -250);
    hook.lineTo(16, 20);
    painter.setPen(QPen(ink, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(hook);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawEllipse(QPointF(16, 25), 2, 2);
    return QIcon(pixmap);
}

}  // namespace

MainWindow::MainWindow(RunDirectory run, ServiceEndpoints endpoints, AppConfig& config,
                       WindowServices services, WindowOptions options)
    : run_(std::move(run)),
      endpoints_(std::move(endpoints)),
      config_(config),
      options_(options),
      services_(services) {
    if (!services_.messages) services_.messages = &qtMessages_;
    if (!services_.files) services_.files = &qtFiles_;
    if (!services_.clipboard) services_.clipboard = &qtClipboard_;
    if (!services_.notices) services_.notices = &qtNotices_;
    if (!services_.processes) services_.processes = &qtProcesses_;
    buildControls();
    streamers_ = std::make_unique<QtListView>(streamerList_);
    sources_ = std::make_unique<QtListView>(sourceList_);
    currentPage_ = std::make_unique<QtLabelCaption>(currentPageLabel_);
    pageTotal_ = std::make_unique<QtLabelCaption>(pageTotalLabel_);
    playerPath_ = std::make_unique<QtEditCaption>(playerPathEdit_);
    autoPlay_ = std::make_unique<QtCheckBox>(autoPlayBox_);
    extraction_ = std::make_unique<BatchExtraction>(*streamers_, endpoints_);
    connectEvents();
}

MainWindow::~MainWindow() { shutDown(); }

void MainWindow::buildControls() {
    setWindowTitle(QStringLiteral("Trovelin"));
    // The outer size 625 x 626 less a usual frame and title bar.
    setFixedSize(609, 587);
    move(50, 50);

    extractButton_ = bigButton(this, "按钮_提取直播源", "提取 直播源", 88, 27);
    exportIdButton_ = bigButton(this, "按钮_导出ID标题", "导出ID标题", 261, 26);
    exportSourceButton_ = bigButton(this, "按钮_导出直播源", "导出 直播源", 175, 27);
    importButton_ = bigButton(this, "按钮_导入房间号", "导入 房间号", 2, 27);
    helpButton_ = place(new QToolButton(this), "超级按钮1", 575, 65, 24, 24);
    helpButton_->setIcon(questionIcon());
    helpButton_->setToolTip(text("获取帮助"));

    playerGroup_ = place(new QGroupBox(text("播放器配置"), this), "分组框2", 336, 0, 288, 104);
    autoPlayBox_ =
        place(new QCheckBox(text("自动打开播放器"), playerGroup_), "选择框1", 26, 58, 104, 24);
    chooseButton_ = place(new QPushButton(text("..."), playerGroup_), "按钮3", 234, 22, 32, 24);
    place(new QLabel(text("路径:"), playerGroup_), "标签5", 16, 23, 32, 24);
    playerPathEdit_ = place(new QLineEdit(text("*"), playerGroup_), "播放器路径", 48, 22, 184, 24);
    QFont editFont;
    editFont.setPixelSize(12);
    playerPathEdit_->setFont(editFont);

    pageTotalLabel_ = place(new QLabel(this), "总页数", 495, 505, 26, 16);
    currentPageLabel_ = place(new QLabel(this), "当前页", 476, 506, 16, 16);
    currentPageLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    nextLink_ = place(new ClickableLabel(text("下一页"), this), "下一页", 543, 503, 64, 22);
    previousLink_ = place(new ClickableLabel(text("上一页"), this), "上一页", 383, 502, 64, 22);
    categoryLabel_ = place(new QLabel(this), "标签4", 88, 499, 144, 24);
    QLabel* categoryTitle = place(new QLabel(text("当前分类:"), this), "标签3", 8, 498, 80, 24);
    for (QLabel* label : {pageTotalLabel_, currentPageLabel_, static_cast<QLabel*>(nextLink_),
                          static_cast<QLabel*>(previousLink_)}) {
        label->setFont(boldFont(14));
    }
    categoryLabel_->setFont(boldFont(16));
    categoryTitle->setFont(boldFont(16));
    nextLink_->setCursor(Qt::PointingHandCursor);
    previousLink_->setCursor(Qt::PointingHandCursor);

    streamerList_ = reportList(this, "主播列表",
                               {{"序号", 50},
                                {"房间号", 80},
                                {"直播标题", 240},
                                {"主播名", 100},
                                {"永久直播源地址", 300}});
    streamerList_->setGeometry(0, 104, 609, 392);
    sourceList_ = reportList(this, "源地址", {{"直播标题", 200}, {"地址", 530}});
    sourceList_->setGeometry(0, 528, 609, 59);
    place(new QGroupBox(text("基本"), this), "分组框1", 0, 0, 336, 104)->lower();
}

CategoryPageView MainWindow::pageView() {
    return {*streamers_, *currentPage_, *pageTotal_, requestThread_.pageJson()};
}

PlayerControls MainWindow::playerControls() { return {*playerPath_, *autoPlay_}; }

ListActionContext MainWindow::listActions() {
    return {*streamers_,
            *sources_,
            *playerPath_,
            *autoPlay_,
            *services_.clipboard,
            *services_.notices,
            *services_.processes,
            endpoints_,
            runner_};
}

void MainWindow::connectEvents() {
    connect(streamerList_, &ReportList::doubleClickedAnywhere, this,
            [this] { openRoomSource(listActions()); });
    connect(streamerList_, &ReportList::rightButtonPressed, this,
            [this] { copyRoomEntry(listActions()); });
    connect(sourceList_, &ReportList::doubleClickedAnywhere, this,
            [this] { playSource(listActions()); });
    connect(sourceList_, &ReportList::rightButtonPressed, this,
            [this] { copySourceEntry(listActions()); });
    connect(nextLink_, &ClickableLabel::leftButtonPressed, this,
            [this] { nextPage(pageView(), endpoints_, runner_); });
    connect(previousLink_, &ClickableLabel::leftButtonPressed, this,
            [this] { previousPage(pageView(), endpoints_, runner_); });
    connect(extractButton_, &QPushButton::clicked, this,
            [this] { extraction_->startExtraction(); });
    connect(importButton_, &QPushButton::clicked, this, [this] {
        importRoomNumbers(*streamers_, *services_.files, *services_.messages, run_);
    });
    connect(exportSourceButton_, &QPushButton::clicked, this,
            [this] { exportSources(*streamers_, *services_.messages, run_, formatDateTime()); });
    connect(exportIdButton_, &QPushButton::clicked, this,
            [this] { exportIdTitles(*streamers_, *services_.messages, run_, formatDateTime()); });
    connect(chooseButton_, &QPushButton::clicked, this, [this] {
        choosePlayer(playerControls(), *services_.files, *services_.messages, run_, config_);
    });
    connect(autoPlayBox_, &QCheckBox::clicked, this,
            [this] { toggleAutoPlay(playerControls(), *services_.messages, run_); });
    connect(helpButton_, &QToolButton::clicked, this, [this] { showHelp(*services_.messages); });
}

void MainWindow::onWindowCreated() {
    categoryLabel_->setText(text("陪你看"));
    loadConfig(run_, playerControls(), config_);
    loadCategoryPage(1, pageView(), endpoints_, runner_);
    if (options_.listButtons) return;
    for (QPushButton* button :
         {extractButton_, exportIdButton_, exportSourceButton_, importButton_}) {
        button->setEnabled(false);
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    setRequestsAborted(true);
    QWidget::closeEvent(event);
}

void MainWindow::shutDown() {
    if (shutDown_) return;
    shutDown_ = true;
    streamers_->close();
    sources_->close();
    setRequestsAborted(true);
    extraction_->waitForRuns([] { QCoreApplication::processEvents(); });
}
