#include "FileReplace.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>

namespace cubrava {

FileCalls FileCalls::system()
{
    FileCalls calls;
    calls.write = [](int fd, const void* data, std::size_t size) { return ::write(fd, data, size); };
    calls.fsync = [](int fd) { return ::fsync(fd); };
    calls.close = [](int fd) { return ::close(fd); };
    calls.rename = [](const char* from, const char* to) { return std::rename(from, to); };
    return calls;
}

std::string temporaryPathFor(const std::string& path)
{
    return path + ".tmp";
}

namespace {

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool writeAll(int fd, const std::string& text, const FileCalls& calls)
{
    const char* next = text.data();
    std::size_t left = text.size();
    while (left > 0) {
        const ssize_t written = calls.write(fd, next, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        next += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

// Makes the rename itself durable, as far as the folder lets us: one that
// may be written but not read cannot be opened, and some file systems cannot
// sync a folder at all.
void syncFolder(const std::string& folder, const FileCalls& calls)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    calls.fsync(fd);
    ::close(fd);
}

// The file the path finally names, following symbolic links: the path
// itself when nothing is there yet, none when a link points nowhere or the
// links go round in a circle.
std::optional<std::string> finalTarget(std::string path)
{
    // As many links as the system itself follows in one path.
    constexpr int MostLinks = 40;
    for (int links = 0; links <= MostLinks; ++links) {
        struct stat status { };
        if (::lstat(path.c_str(), &status) != 0)
            return errno == ENOENT && links == 0 ? std::optional<std::string>(path) : std::nullopt;
        if (!S_ISLNK(status.st_mode))
            return path;
        std::string target(static_cast<std::size_t>(status.st_size > 0 ? status.st_size : PATH_MAX), '\0');
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        if (length <= 0 || static_cast<std::size_t>(length) > target.size())
            return std::nullopt;
        target.resize(static_cast<std::size_t>(length));
        path = target.front() == '/' ? target : folderOf(path) + "/" + target;
    }
    errno = ELOOP;
    return std::nullopt;
}

} // namespace

bool replaceFile(const std::string& path, const std::string& text, const FileCalls& calls)
{
    const std::optional<std::string> target = finalTarget(path);
    if (!target)
        return false;
    return replaceFileVia(*target, temporaryPathFor(*target), text, calls);
}

bool replaceFileVia(
    const std::string& path, const std::string& temporary, const std::string& text, const FileCalls& calls)
{
    struct stat old { };
    const bool existed = ::stat(path.c_str(), &old) == 0;
    if (existed && ::access(path.c_str(), W_OK) != 0)
        return false;

    // A link planted at the temporary name is not followed; a folder there
    // makes the open fail, and is not ours to remove.
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0)
        return false;

    auto fail = [&] {
        if (fd >= 0)
            calls.close(fd);
        ::unlink(temporary.c_str());
        return false;
    };
    if (existed && ::fchmod(fd, old.st_mode & 07777) != 0)
        return fail();
    if (!writeAll(fd, text, calls) || calls.fsync(fd) != 0)
        return fail();
    const int closed = calls.close(fd);
    fd = -1;
    if (closed != 0 || calls.rename(temporary.c_str(), path.c_str()) != 0)
        return fail();
    // The new file is in place and the old one gone: whatever the folder's
    // sync says, saying the save failed would be untrue.
    syncFolder(folderOf(path), calls);
    return true;
}

} // namespace cubrava
