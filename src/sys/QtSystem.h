#pragma once

#include <QString>

#include "text/GbkText.h"
#include "ui/Clipboard.h"
#include "ui/NoticeBox.h"
#include "ui/ProcessStarter.h"

class QWidget;

// Program text and Qt's strings meet only here and in the window adapters.
QString toQString(const GbkText& text);
GbkText fromQString(const QString& text);

// What a widget shows of a text: laying out megabytes would stall the window, so a text
// longer than 4,096 characters shows its first 4,096 and "…".
QString shownText(const QString& full);

// The clipboard through Qt; text goes on as plain text.
class QtClipboard : public Clipboard {
  public:
    void setText(const GbkText& text) override;
    GbkText readText() const override;
};

// The owner window for a notice: the process's first top-level window, visible or not, that
// matches the filters (an empty filter matches anything). Only the first window decides.
QWidget* findProcessWindow(const GbkText& titleFilter = {}, const GbkText& classFilter = {},
                           bool visibleOnly = false);

// A message box that closes itself after `timeoutMs`. Returns the button's number minus one
// (OK gives 0), or 31999 when the timer closed it.
int showTimedNotice(const GbkText& text, int type = 0, const GbkText& title = {},
                    QWidget* owner = nullptr, int timeoutMs = 5000);

class QtNoticeBox : public NoticeBox {
  public:
    void show(const GbkText& text) override { showTimedNotice(text); }
};

// Starts the command line's program detached, with the normal window state.
class QtProcessStarter : public ProcessStarter {
  public:
    void run(const GbkText& commandLine, const std::vector<GbkText>& appended) override;
};
