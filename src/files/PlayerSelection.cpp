#include "files/PlayerSelection.h"

#include <filesystem>
#include <system_error>

#include "files/IniFile.h"
#include "text/Charset.h"
#include "text/TextPrimitives.h"

GbkText openFileDialog(FileChooser& chooser, const std::optional<GbkText>& initialDirectory,
                       const std::optional<GbkText>& title, const std::optional<GbkText>& filter,
                       bool keepDirectory) {
    std::error_code error;
    const std::filesystem::path saved = std::filesystem::current_path(error);
    static const GbkText defaultTitle = utf8ToGbk("打开文件");
    static const GbkText defaultFilter = utf8ToGbk("所有文件(*.*)|*.*");
    const GbkText start = initialDirectory ? *initialDirectory : utf8ToGbk(saved.string());
    const GbkText chosen = chooser.chooseFile(
        title ? *title : defaultTitle, parseFileFilter(filter ? *filter : defaultFilter), start);
    if (!keepDirectory && !saved.empty()) std::filesystem::current_path(saved, error);
    return chosen;
}

GbkText playerFilter() {
#ifdef _WIN32
    return utf8ToGbk("可执行文件(*.exe)|*.exe");
#else
    return utf8ToGbk("可执行文件(*)|*");  // programs here carry no ".exe"
#endif
}

void choosePlayer(PlayerControls controls, FileChooser& chooser, MessageBoxes& messages,
                  const RunDirectory& run, const AppConfig& config) {
    static const GbkText title = utf8ToGbk("打开...");
    controls.playerPath.setText(openFileDialog(chooser, std::nullopt, title, playerFilter()));
    const GbkText chosen = controls.playerPath.text();
    if (!chosen.empty()) {
        writeConfigKey(run, "playPath", chosen, messages);
        return;
    }
    controls.playerPath.setText(config.playPath);  // as read at start-up, no placeholder
}

void toggleAutoPlay(PlayerControls controls, MessageBoxes& messages, const RunDirectory& run) {
    GbkText value = "false";
    if (controls.autoPlay.isChecked()) {
        if (readIniValue(configPath(run), "config", "playPath") == "null") {
            static const GbkText rule = utf8ToGbk("你必须先选择播放器的路径才能勾选此项");
            messages.show(rule, MessageBoxes::kExclamation);
            controls.autoPlay.setChecked(false);
            return;
        }
        value = "true";
    }
    writeConfigKey(run, "auto", value, messages);
}

void showHelp(MessageBoxes& messages) {
    static const GbkText help = utf8ToGbk(
        "必须有播放器路径才能勾选自动播放!\r\n"
        "如果自动播放出现异常,你还可以手动打开你的播放器进行播放,地址已经复制到剪切板");
    messages.show(help, MessageBoxes::kInformation);
}
