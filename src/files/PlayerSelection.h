#pragma once

#include <optional>

#include "files/Config.h"
#include "files/FileFilterText.h"
#include "files/RunDirectory.h"
#include "text/GbkText.h"
#include "ui/FileChooser.h"
#include "ui/MessageBoxes.h"

// The open-file dialog: title "打开文件" and filter "所有文件(*.*)|*.*" when absent. Unless
// `keepDirectory`, the current directory is the same afterwards as before. Empty on cancel.
GbkText openFileDialog(FileChooser& chooser, const std::optional<GbkText>& initialDirectory = {},
                       const std::optional<GbkText>& title = {},
                       const std::optional<GbkText>& filter = {}, bool keepDirectory = false);

// The filter of the player dialog: programs on this platform.
GbkText playerFilter();

// The "..." button: choose the player and store it, or on cancel show the start-up value.
void choosePlayer(PlayerControls controls, FileChooser& chooser, MessageBoxes& messages,
                  const RunDirectory& run, const AppConfig& config);

// The check box was clicked and has its new state: store it, unless no player was chosen.
void toggleAutoPlay(PlayerControls controls, MessageBoxes& messages, const RunDirectory& run);

// The help button.
void showHelp(MessageBoxes& messages);
