#pragma once

#include <functional>
#include <utility>
#include <vector>

#include "ui/CheckBox.h"
#include "ui/Clipboard.h"
#include "ui/FileChooser.h"
#include "ui/MessageBoxes.h"
#include "ui/NoticeBox.h"
#include "ui/ProcessStarter.h"

// In-memory stand-ins for the window's check box, message boxes, file dialog, clipboard,
// notices and process start.

class MemoryCheckBox : public CheckBox {
  public:
    explicit MemoryCheckBox(bool checked = false) : checked_(checked) {}
    bool isChecked() const override { return checked_; }
    void setChecked(bool checked) override { checked_ = checked; }

  private:
    bool checked_;
};

struct ShownMessage {
    GbkText text;
    int type;
    GbkText title;
    friend bool operator==(const ShownMessage&, const ShownMessage&) = default;
};

class RecordingMessageBoxes : public MessageBoxes {
  public:
    void show(const GbkText& text, int type, const GbkText& title = {}) override {
        shown.push_back({text, type, title});
    }
    std::vector<ShownMessage> shown;
};

struct FileRequest {
    GbkText title;
    FileFilter filter;
    GbkText initialDirectory;
};

// Answers each dialog with the next prepared answer (empty: cancelled); `whileOpen` runs while
// the dialog is up, as the user's browsing would.
class ScriptedFileChooser : public FileChooser {
  public:
    GbkText chooseFile(const GbkText& title, const FileFilter& filter,
                       const GbkText& initialDirectory) override {
        requests.push_back({title, filter, initialDirectory});
        if (whileOpen) whileOpen();
        if (answers.empty()) return {};
        GbkText answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }
    std::vector<GbkText> answers;
    std::vector<FileRequest> requests;
    std::function<void()> whileOpen;
};

class MemoryClipboard : public Clipboard {
  public:
    void setText(const GbkText& text) override { text_ = text; }
    GbkText readText() const override { return text_; }

  private:
    GbkText text_;
};

class RecordingNotices : public NoticeBox {
  public:
    void show(const GbkText& text) override { shown.push_back(text); }
    std::vector<GbkText> shown;
};

class RecordingProcessStarter : public ProcessStarter {
  public:
    struct Start {
        GbkText commandLine;
        std::vector<GbkText> appended;
        bool operator==(const Start&) const = default;
    };
    void run(const GbkText& commandLine, const std::vector<GbkText>& appended) override {
        started.push_back({commandLine, appended});
    }
    std::vector<Start> started;
};
