#include "platform/posix/durable_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace pv {

namespace fs = std::filesystem;

int ReplaceFileDurably(const fs::path& path, const std::string& text)
{
    std::error_code error;
    if (fs::create_directories(path.parent_path(), error))
        fs::permissions(path.parent_path(), fs::perms::owner_all, error);
    if (error)
        return error.value();
    std::string part = path.string() + ".XXXXXX";
    const int fd = mkstemp(part.data());
    if (fd < 0)
        return errno;
    struct stat old {};
    if (stat(path.c_str(), &old) == 0)
        fchmod(fd, old.st_mode & 07777);
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t count = write(fd, text.data() + written, text.size() - written);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            break;
        written += static_cast<std::size_t>(count);
    }
    int failure = written < text.size() ? (errno ? errno : EIO) : 0;
    if (failure == 0 && fsync(fd) != 0)
        failure = errno;
    if (close(fd) != 0 && failure == 0)
        failure = errno;
    if (failure == 0 && std::rename(part.c_str(), path.c_str()) != 0)
        failure = errno;
    if (failure != 0) {
        fs::remove(part, error);
        return failure;
    }
    const int folder = open(path.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        fsync(folder);
        close(folder);
    }
    return 0;
}

}  // namespace pv
