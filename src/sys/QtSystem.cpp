#include "sys/QtSystem.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QProcess>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include "sys/CommandLine.h"
#include "text/Charset.h"
#include "text/TextPrimitives.h"

QString toQString(const GbkText& text) { return QString::fromStdU16String(gbkToUtf16(text)); }

GbkText fromQString(const QString& text) { return utf16ToGbk(text.toStdU16String()); }

QString shownText(const QString& full) {
    constexpr qsizetype kShownCharacters = 4096;
    if (full.size() <= kShownCharacters) return full;
    return full.left(kShownCharacters) + QChar(0x2026);
}

void QtClipboard::setText(const GbkText& text) {
    QGuiApplication::clipboard()->setText(toQString(text));
}

GbkText QtClipboard::readText() const {
    // Composed first, as the platform's conversion does, so "e" + accent becomes one "é".
    const QString text =
        QGuiApplication::clipboard()->text().normalized(QString::NormalizationForm_C);
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return fromQString(nul < 0 ? text : text.left(nul));
}

QWidget* findProcessWindow(const GbkText& titleFilter, const GbkText& classFilter,
                           bool visibleOnly) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (visibleOnly && !window->isVisible()) continue;
        // The first window of the process decides, match or not.
        const bool titleOk =
            titleFilter.empty() || containsText(fromQString(window->windowTitle()), titleFilter);
        const bool classOk = classFilter.empty() ||
                             containsText(GbkText(window->metaObject()->className()), classFilter);
        return titleOk && classOk ? window : nullptr;
    }
    return nullptr;
}

int showTimedNotice(const GbkText& text, int type, const GbkText& title, QWidget* owner,
                    int timeoutMs) {
    static const GbkText defaultTitle = utf8ToGbk("友情提醒");
    if (owner == nullptr) owner = findProcessWindow();
    QMessageBox box(owner);
    box.setWindowTitle(toQString(title.empty() ? defaultTitle : title));
    // The notice shows what was copied, markup included, as plain text.
    box.setTextFormat(Qt::PlainText);
    box.setText(shownText(toQString(text)));
    const int icon = type & 0xF0;
    box.setIcon(icon == 0x10   ? QMessageBox::Critical
                : icon == 0x20 ? QMessageBox::Question
                : icon == 0x30 ? QMessageBox::Warning
                : icon == 0x40 ? QMessageBox::Information
                               : QMessageBox::NoIcon);
    box.setStandardButtons(QMessageBox::Ok);
    bool timedOut = false;
    QTimer::singleShot(timeoutMs, &box, [&] {
        timedOut = true;
        box.done(0);
    });
    box.exec();
    return timedOut ? 31999 : 0;
}

void QtProcessStarter::run(const GbkText& commandLine, const std::vector<GbkText>& appended) {
    const CommandLine split = splitCommandLine(commandLine, isExecutableFile);
    if (split.program.empty()) return;
    QStringList arguments;
    for (const std::string& argument : split.arguments)
        arguments << QString::fromStdString(argument);
    for (const GbkText& argument : appended) arguments << toQString(argument);
    QProcess::startDetached(QString::fromStdString(split.program), arguments);
}
