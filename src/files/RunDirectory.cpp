#include "files/RunDirectory.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "text/Charset.h"

namespace {

bool isWritableDirectory(const std::filesystem::path& directory) {
    std::error_code error;
    return std::filesystem::is_directory(directory, error) &&
           ::access(directory.c_str(), W_OK | X_OK) == 0;
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

}  // namespace

GbkText RunDirectory::text() const { return utf8ToGbk(path_.string()); }

std::filesystem::path RunDirectory::file(const GbkText& name) const {
    return path_ / std::filesystem::path(gbkToUtf8(name));
}

bool isInstalledUnderPrefix(const std::filesystem::path& executableDirectory) {
    std::error_code error;
    return std::filesystem::exists(
        executableDirectory / ".." / "share" / "metainfo" / "net.trovelin.Trovelin.metainfo.xml",
        error);
}

RunDirectory chooseRunDirectory(const std::filesystem::path& executableDirectory,
                                const std::string& xdgDataHome, const std::string& home) {
    // An installed program keeps its settings per user, even in a prefix it could write to.
    if (isWritableDirectory(executableDirectory) && !isInstalledUnderPrefix(executableDirectory)) {
        return RunDirectory(executableDirectory);
    }
    std::filesystem::path data;
    if (!xdgDataHome.empty()) {
        data = std::filesystem::path(xdgDataHome) / "Trovelin";
    } else {
        data = std::filesystem::path(home.empty() ? "/tmp" : home) / ".local/share/Trovelin";
    }
    std::error_code error;
    std::filesystem::create_directories(data, error);
    return RunDirectory(data);
}

std::filesystem::path executableDirectory() {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return std::filesystem::current_path(error);
    return exe.parent_path();
}

RunDirectory enterRunDirectory() {
    RunDirectory run = chooseRunDirectory(executableDirectory(), environment("XDG_DATA_HOME"),
                                          environment("HOME"));
    std::error_code error;
    std::filesystem::current_path(run.path(), error);
    return run;
}
