#include "support/TempDir.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

TempDir::TempDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "trovelin-test-XXXXXX").string();
    const char* made = mkdtemp(pattern.data());
    // Never fall back to a shared folder: the destructor would remove all of it.
    if (made == nullptr) throw std::runtime_error("TempDir: mkdtemp failed for " + pattern);
    path_ = std::filesystem::path(made);
}

TempDir::~TempDir() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
}

std::string TempDir::read(const std::string& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void TempDir::write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path_ / name, std::ios::binary) << bytes;
}
