#include "GameProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

namespace cubrava::e2e {

namespace fs = std::filesystem;

namespace {

// Whether others may pass through every folder from the root down to this one.
bool othersMayEnter(const fs::path& folder)
{
    for (fs::path p = fs::absolute(folder);; p = p.parent_path()) {
        struct stat status { };
        if (::stat(p.c_str(), &status) != 0 || (status.st_mode & S_IXOTH) == 0)
            return false;
        if (p == p.root_path())
            return true;
    }
}

fs::path scratchFolder(FolderUsers users)
{
    std::vector<fs::path> bases { fs::temp_directory_path() };
    if (users == FolderUsers::Anyone)
        bases.insert(bases.end(), { "/tmp", "/var/tmp" });
    for (const fs::path& base : bases) {
        if (users == FolderUsers::Anyone && !othersMayEnter(base))
            continue;
        std::string pattern = (base / "cubrava-e2e-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            continue;
        if (users == FolderUsers::Anyone)
            ::chmod(pattern.c_str(), 0755);
        return pattern;
    }
    // None that others may enter: the owner's, which reachableByAnyone() tells.
    return scratchFolder(FolderUsers::Owner);
}

} // namespace

RunFolder::RunFolder(FolderUsers users)
    : path_(scratchFolder(users))
    , ownPrograms_(users == FolderUsers::Anyone)
{
    const fs::path built = CUBRAVA_RUN_DIR;
    fs::copy(built / "Config", path_ / "Config", fs::copy_options::recursive);
    fs::copy(built / "fonts", path_ / "fonts", fs::copy_options::recursive);
    if (ownPrograms_) {
        for (const char* folder : { "Textures", "Sounds", "Music" })
            fs::copy(built / folder, path_ / folder, fs::copy_options::recursive);
        for (const char* name : { "cubrava", "cubrava-editor" })
            fs::copy_file(built / name, path_ / name);
        // Whatever the umask: others read every file and enter every folder.
        for (const auto& entry : fs::recursive_directory_iterator(path_))
            fs::permissions(entry.path(),
                entry.is_directory() ? fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec
                        | fs::perms::others_read | fs::perms::others_exec
                                     : fs::perms::group_read | fs::perms::others_read,
                fs::perm_options::add);
        return;
    }
    fs::create_directories(path_ / "Textures");
    for (const auto& entry : fs::directory_iterator(built / "Textures"))
        fs::create_symlink(entry.path(), path_ / "Textures" / entry.path().filename());
    fs::create_directory_symlink(built / "Sounds", path_ / "Sounds");
    fs::create_directory_symlink(built / "Music", path_ / "Music");
}

fs::path RunFolder::program(const std::string& name) const
{
    return (ownPrograms_ ? path_ : fs::path(CUBRAVA_RUN_DIR)) / name;
}

bool RunFolder::reachableByAnyone() const
{
    return ownPrograms_ && othersMayEnter(path_);
}

RunFolder::~RunFolder()
{
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

void RunFolder::write(const std::string& relative, const std::string& text) const
{
    fs::create_directories((path_ / relative).parent_path());
    fs::remove(path_ / relative);
    std::ofstream(path_ / relative, std::ios::binary) << text;
}

void RunFolder::remove(const std::string& relative) const
{
    fs::remove_all(path_ / relative);
}

GameProcess::GameProcess(const RunFolder& folder, const std::string& preload)
    : GameProcess(folder, "cubrava", {}, preload)
{
}

GameProcess::GameProcess(const RunFolder& folder, const std::string& name, const std::vector<std::string>& arguments,
    const std::string& preload, const std::vector<std::string>& wrapper)
    : GameProcess([&] {
        ProcessStart start { folder.program(name), arguments, folder.path(), folder.path(), {}, {}, wrapper };
        if (!preload.empty())
            start.setVariables.emplace_back("LD_PRELOAD", preload);
        start.setVariables.emplace_back("CUBRAVA_FRAME_COUNT_FILE", (folder.path() / "frames.txt").string());
        // Silent on a desktop with a sound server too.
        start.setVariables.emplace_back("CUBRAVA_NO_SOUND_PRELOAD", "1");
        return start;
    }())
{
}

GameProcess::GameProcess(const ProcessStart& start)
{
    outputFile_ = start.recordFolder / "stdout.txt";
    errorFile_ = start.recordFolder / "stderr.txt";
    framesFile_ = start.recordFolder / "frames.txt";
    const std::string name = start.program.filename().string();
    std::vector<char*> argv;
    for (const std::string& word : start.wrapper)
        argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(const_cast<char*>(start.wrapper.empty() ? name.c_str() : start.program.c_str()));
    for (const std::string& argument : start.arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const std::string file = start.wrapper.empty() ? start.program.string() : start.wrapper.front();
    pid_ = ::fork();
    if (pid_ == 0) {
        if (::chdir(start.workingFolder.c_str()) != 0)
            ::_exit(126);
        for (const auto& [file, fd] : { std::pair { &outputFile_, 1 }, std::pair { &errorFile_, 2 } }) {
            const int opened = ::open(file->c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (opened >= 0)
                ::dup2(opened, fd);
        }
        for (const auto& [name, value] : start.setVariables)
            ::setenv(name.c_str(), value.c_str(), 1);
        for (const std::string& name : start.unsetVariables)
            ::unsetenv(name.c_str());
        ::execvp(file.c_str(), argv.data());
        ::_exit(127);
    }
}

GameProcess::~GameProcess()
{
    if (!status_ && pid_ > 0) {
        ::kill(pid_, SIGKILL);
        int ignored;
        ::waitpid(pid_, &ignored, 0);
    }
}

std::optional<int> GameProcess::waitForExit(std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!status_) {
        int status = 0;
        pid_t done = ::waitpid(pid_, &status, WNOHANG);
        if (done == pid_) {
            status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            break;
        }
        if (std::chrono::steady_clock::now() >= deadline)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return status_;
}

bool GameProcess::running()
{
    return !waitForExit(std::chrono::milliseconds(0));
}

namespace {

std::string readWhole(const fs::path& file)
{
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

std::string GameProcess::standardOutput() const
{
    return readWhole(outputFile_);
}

std::string GameProcess::standardError() const
{
    return readWhole(errorFile_);
}

unsigned long GameProcess::frames() const
{
    unsigned long count = 0;
    std::ifstream(framesFile_) >> count;
    return count;
}

double GameProcess::cpuSeconds() const
{
    std::ifstream in("/proc/" + std::to_string(pid_) + "/stat");
    std::string line;
    std::getline(in, line);
    // Fields after the command name, which is in parentheses and may hold blanks.
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::vector<std::string> values;
    for (std::string v; fields >> v;)
        values.push_back(v);
    if (values.size() < 13)
        return 0;
    const double ticks = static_cast<double>(::sysconf(_SC_CLK_TCK));
    return (std::stod(values[11]) + std::stod(values[12])) / ticks;
}

} // namespace cubrava::e2e
