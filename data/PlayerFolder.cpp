#include "PlayerFolder.h"

#include "ConfigCopy.h"
#include "FatalError.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

namespace cubrava {

namespace fs = std::filesystem;

namespace {

const char* const LinkedFolders[] = { "Sounds", "Music", "fonts" };

// Points link at target, unless something of the player's own stands at the
// name. A link of ours that points elsewhere (an older installation) is
// replaced by a rename, so the name is never missing.
void placeLink(const fs::path& link, const fs::path& target)
{
    const fs::file_status status = fs::symlink_status(link);
    if (fs::is_symlink(status)) {
        if (fs::read_symlink(link) == target)
            return;
    } else if (fs::exists(status)) {
        return;
    }
    const fs::path partial = link.parent_path() / ("." + link.filename().string() + ".linking");
    fs::remove(partial);
    fs::create_symlink(target, partial);
    fs::rename(partial, link);
}

void linkTextures(const fs::path& shipped, const fs::path& folder)
{
    fs::create_directories(folder);
    if (!fs::is_directory(folder))
        throw FatalError(folder.string() + " is not a folder.");
    for (const fs::directory_entry& entry : fs::directory_iterator(shipped))
        if (entry.is_regular_file())
            placeLink(folder / entry.path().filename(), entry.path());
    // Links to textures an upgrade no longer ships would only dangle.
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        if (!entry.is_symlink())
            continue;
        const fs::path target = fs::read_symlink(entry.path());
        if (target.parent_path() == shipped && !fs::exists(target))
            fs::remove(entry.path());
    }
}

std::string homeFolder()
{
    if (const char* home = std::getenv("HOME"))
        return home;
    if (const passwd* entry = ::getpwuid(::getuid()))
        return entry->pw_dir ? entry->pw_dir : "";
    return "";
}

} // namespace

PlayerFolderLock::PlayerFolderLock(const fs::path& folder)
    : fd_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
{
    if (fd_ >= 0)
        while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) { }
}

PlayerFolderLock::~PlayerFolderLock()
{
    if (fd_ >= 0)
        ::close(fd_);
}

std::optional<fs::path> installedDataFolder(const fs::path& programFolder, const std::string& dataFromProgram)
{
    std::error_code error;
    if (fs::is_directory(programFolder / "Config", error))
        return std::nullopt;
    const fs::path shipped = (programFolder / dataFromProgram).lexically_normal();
    if (!fs::is_directory(shipped / "Config", error))
        return std::nullopt;
    return shipped;
}

fs::path playerFolderPath(const char* dataHome, const char* home)
{
    if (dataHome && fs::path(dataHome).is_absolute())
        return fs::path(dataHome) / "cubrava";
    if (home && fs::path(home).is_absolute())
        return fs::path(home) / ".local" / "share" / "cubrava";
    throw FatalError("There is no home folder to keep your Cubrava levels in: set HOME or XDG_DATA_HOME.");
}

void preparePlayerFolder(const fs::path& shipped, const fs::path& player)
{
    const std::string problem = "Your Cubrava folder " + player.string() + " could not be prepared: ";
    try {
        fs::create_directories(player);
        const PlayerFolderLock lock(player);
        refreshConfigCopies(shipped / "Config", player / "Config", player / ".shipped" / "Config");
        linkTextures(shipped / "Textures", player / "Textures");
        for (const char* name : LinkedFolders)
            placeLink(player / name, shipped / name);
    } catch (const fs::filesystem_error& e) {
        throw FatalError(problem + e.what());
    } catch (const FatalError& e) {
        throw FatalError(problem + e.what());
    }
}

std::optional<fs::path> enterPlayerFolder(const std::string& dataFromProgram)
{
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (error)
        return std::nullopt;
    const std::optional<fs::path> shipped = installedDataFolder(program.parent_path(), dataFromProgram);
    if (!shipped)
        return std::nullopt;
    const std::string home = homeFolder();
    const fs::path player = playerFolderPath(std::getenv("XDG_DATA_HOME"), home.empty() ? nullptr : home.c_str());
    preparePlayerFolder(*shipped, player);
    if (::chdir(player.c_str()) != 0)
        throw FatalError("Could not work in your Cubrava folder " + player.string() + ": " + std::strerror(errno));
    return player;
}

std::string playerFolderHelp()
{
    return "Installed, the programs keep your levels and settings in $XDG_DATA_HOME/cubrava\n"
           "(~/.local/share/cubrava when XDG_DATA_HOME is not set). Started from a build's\n"
           "run folder (Config/ beside the program), they work in the current folder.";
}

} // namespace cubrava
