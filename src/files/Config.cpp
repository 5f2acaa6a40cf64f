#include "files/Config.h"

#include <system_error>

#include "files/FileBytes.h"
#include "files/IniFile.h"
#include "text/Charset.h"

std::filesystem::path configPath(const RunDirectory& run) { return run.file("config.conf"); }

const GbkText& playerPlaceholder() {
    static const GbkText placeholder = utf8ToGbk("请选择你的播放器路径");
    return placeholder;
}

void loadConfig(const RunDirectory& run, PlayerControls controls, AppConfig& config) {
    const std::filesystem::path path = configPath(run);
    std::error_code error;
    if (std::filesystem::exists(path, error)) {
        config.playPath = readIniValue(path, "config", "playPath");
        config.autoPlay = readIniValue(path, "config", "auto");
        controls.playerPath.setText(config.playPath == "null" ? playerPlaceholder()
                                                              : config.playPath);
        controls.autoPlay.setChecked(config.autoPlay != "false");
        return;
    }
    // Only ever a new plain file: a read-only folder shows up at the first key write.
    createNewFile(path, kDefaultConfig);
    controls.playerPath.setText(playerPlaceholder());
}

bool writeConfigKey(const RunDirectory& run, std::string_view key, std::string_view value,
                    MessageBoxes& messages) {
    if (writeIniValue(configPath(run), "config", key, value)) return true;
    static const GbkText failed = utf8ToGbk("配置保存失败!请重试");
    messages.show(failed, MessageBoxes::kExclamation);
    return false;
}
