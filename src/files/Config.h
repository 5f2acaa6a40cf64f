#pragma once

#include <filesystem>
#include <string_view>

#include "files/RunDirectory.h"
#include "text/GbkText.h"
#include "ui/Caption.h"
#include "ui/CheckBox.h"
#include "ui/MessageBoxes.h"

// The two settings as read at start-up; empty when start-up had to create the file.
struct AppConfig {
    GbkText playPath;
    GbkText autoPlay;  // the key `auto`
};

// The player controls of the window: the edit box 播放器路径 and the check box 选择框1.
struct PlayerControls {
    Caption& playerPath;
    CheckBox& autoPlay;
};

inline constexpr std::string_view kDefaultConfig = "[config]\r\nplayPath=null\r\nauto=false";

std::filesystem::path configPath(const RunDirectory& run);

// "请选择你的播放器路径", shown while no player is configured.
const GbkText& playerPlaceholder();

// Reads config.conf into `config` and the controls, or creates it with the defaults. An
// existing file is never rewritten here.
void loadConfig(const RunDirectory& run, PlayerControls controls, AppConfig& config);

// Writes one key of the section `config`; shows "配置保存失败!请重试" when that fails.
bool writeConfigKey(const RunDirectory& run, std::string_view key, std::string_view value,
                    MessageBoxes& messages);
