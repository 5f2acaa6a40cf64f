#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "text/GbkText.h"

// Where config.conf and the export files live: the executable's directory when the program
// may write there (a build tree, a portable copy), else, and always for a program installed
// under a prefix (PREFIX/bin beside PREFIX/share/metainfo/net.trovelin.Trovelin.metainfo.xml),
// the per-user data folder ($XDG_DATA_HOME/Trovelin or ~/.local/share/Trovelin), created on
// demand.
class RunDirectory {
  public:
    explicit RunDirectory(std::filesystem::path path) : path_(std::move(path)) {}

    const std::filesystem::path& path() const { return path_; }
    // The run directory as program text.
    GbkText text() const;
    // A file in the run directory; the name is program text, converted for the file system.
    std::filesystem::path file(const GbkText& name) const;

  private:
    std::filesystem::path path_;
};

// True when the executable sits in PREFIX/bin of an installation.
bool isInstalledUnderPrefix(const std::filesystem::path& executableDirectory);

// The choice itself, from its inputs: empty environment values count as unset.
RunDirectory chooseRunDirectory(const std::filesystem::path& executableDirectory,
                                const std::string& xdgDataHome, const std::string& home);

// The running program's run directory, made the current directory.
RunDirectory enterRunDirectory();

// The directory of the running executable.
std::filesystem::path executableDirectory();
