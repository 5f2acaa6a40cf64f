#include "files/FileBytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <limits>
#include <string>

namespace {

bool writeAll(int fd, std::string_view bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        written += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

std::optional<ByteBuffer> readFileBytes(const std::filesystem::path& file) {
    return readRegularFile(file, std::numeric_limits<long long>::max());
}

std::optional<ByteBuffer> readRegularFile(const std::filesystem::path& file, long long maxBytes) {
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > maxBytes) {
        return std::nullopt;
    }
    // Non-blocking, in case the name was swapped for a FIFO since the look above.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return std::nullopt;
    std::string bytes;
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size <= maxBytes;
    if (ok) bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[65536];
    while (ok) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) break;
        // A file that grows while it is read is refused, not read past its limit.
        ok = n > 0 && static_cast<long long>(bytes.size()) + n <= maxBytes;
        if (ok) bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    if (!ok) return std::nullopt;
    return ByteBuffer(std::move(bytes));
}

bool writeFileBytes(const std::filesystem::path& file, std::string_view bytes) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    const bool ok = writeAll(fd, bytes);
    return ::close(fd) == 0 && ok;
}

bool createNewFile(const std::filesystem::path& file, std::string_view bytes) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    const bool ok = writeAll(fd, bytes);
    if (::close(fd) == 0 && ok) return true;
    ::unlink(file.c_str());
    return false;
}

std::optional<std::filesystem::path> linkTarget(const std::filesystem::path& file) {
    std::filesystem::path at = file;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info {};
        if (::lstat(at.c_str(), &info) != 0)
            return errno == ENOENT ? std::optional(at) : std::nullopt;
        if (!S_ISLNK(info.st_mode)) return at;
        std::error_code error;
        const std::filesystem::path next = std::filesystem::read_symlink(at, error);
        if (error) return std::nullopt;
        at = next.is_absolute() ? next : at.parent_path() / next;
    }
    return std::nullopt;  // a loop of links
}

bool replaceFileBytes(const std::filesystem::path& file, std::string_view bytes) {
    // A link is kept a link: its target is what gets replaced, in the target's own folder.
    const std::optional<std::filesystem::path> target = linkTarget(file);
    if (!target) return false;
    struct stat existing {};
    const bool exists = ::stat(target->c_str(), &existing) == 0;
    // A dangling link is never followed to create a file where it points.
    if (!exists && *target != file) return false;
    // A file its owner made read-only stays as it is, even for a user who could replace it.
    if (exists && (!S_ISREG(existing.st_mode) || (existing.st_mode & S_IWUSR) == 0)) return false;
    std::string temporary = target->string() + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return false;
    ::fchmod(fd, exists ? (existing.st_mode & 07777) : 0644);
    const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), target->c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}
