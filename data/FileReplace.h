#pragma once

#include <sys/types.h>

#include <cstddef>
#include <functional>
#include <string>

namespace cubrava {

// The system calls a file replacement makes, so that a test can make one of
// them fail where a full disk or a failing device would.
struct FileCalls {
    std::function<ssize_t(int fd, const void* data, std::size_t size)> write;
    std::function<int(int fd)> fsync;
    std::function<int(int fd)> close;
    std::function<int(const char* from, const char* to)> rename;

    // The real ones.
    static FileCalls system();
};

// Where a replacement of the file writes first: the same name with ".tmp"
// added, in the same folder, so the rename never crosses file systems.
std::string temporaryPathFor(const std::string& path);

// Replaces the file with the text, or leaves it byte for byte as it was. The
// text goes to the temporary file first (every write, the sync and the close
// checked), which is then renamed over the file, and the folder synced, so a
// crash or a full disk never leaves a torn file. On a failure the temporary
// file is removed (whatever else stands at its name is left alone). A file that
// exists but may not be written to is refused, as writing it in place would
// be; the new file takes the old one's permissions. A symbolic link (or a
// chain of them) is saved through: the file it finally names is replaced, the
// temporary file made beside that one, and the link stays as it was; a link
// that points nowhere fails and nothing is made. Whether it succeeded.
bool replaceFile(const std::string& path, const std::string& text, const FileCalls& calls = FileCalls::system());

// The same through a temporary file of the caller's naming, in the same
// folder. A link at `path` is replaced, not followed.
bool replaceFileVia(const std::string& path, const std::string& temporary, const std::string& text,
    const FileCalls& calls = FileCalls::system());

} // namespace cubrava
