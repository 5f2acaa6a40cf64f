#pragma once

#include <utility>
#include <vector>

#include "text/GbkText.h"

// Description and pattern pairs, as in "文本文件（*.txt）|*.txt".
using FileFilter = std::vector<std::pair<GbkText, GbkText>>;

// A modal open-file dialog.
class FileChooser {
  public:
    virtual ~FileChooser() = default;
    // The chosen file's full path, empty when the user cancels. `initialDirectory` empty means
    // the current directory.
    virtual GbkText chooseFile(const GbkText& title, const FileFilter& filter,
                               const GbkText& initialDirectory) = 0;
};
