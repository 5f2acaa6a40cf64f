#pragma once

#include <filesystem>
#include <string>

// A fresh directory per test, removed afterwards. Throws (failing the test) when none can be
// made.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string read(const std::string& name) const;
    void write(const std::string& name, const std::string& bytes) const;

  private:
    std::filesystem::path path_;
};
