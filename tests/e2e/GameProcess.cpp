#include "GameProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

namespace cubrava::e2e {

namespace fs = std::filesystem;

RunFolder::RunFolder()
{
    std::string pattern = (fs::temp_directory_path() / "cubrava-e2e-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
    const fs::path built = CUBRAVA_RUN_DIR;
    fs::copy(built / "Config", path_ / "Config", fs::copy_options::recursive);
    fs::copy(built / "fonts", path_ / "fonts", fs::copy_options::recursive);
    fs::create_directories(path_ / "Textures");
    for (const auto& entry : fs::directory_iterator(built / "Textures"))
        fs::create_symlink(entry.path(), path_ / "Textures" / entry.path().filename());
    fs::create_directory_symlink(built / "Sounds", path_ / "Sounds");
    fs::create_directory_symlink(built / "Music", path_ / "Music");
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
{
    errorFile_ = folder.path() / "stderr.txt";
    framesFile_ = folder.path() / "frames.txt";
    const std::string program = std::string(CUBRAVA_RUN_DIR) + "/cubrava";
    pid_ = ::fork();
    if (pid_ == 0) {
        if (::chdir(folder.path().c_str()) != 0)
            ::_exit(126);
        int err = ::open(errorFile_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (err >= 0)
            ::dup2(err, 2);
        if (!preload.empty())
            ::setenv("LD_PRELOAD", preload.c_str(), 1);
        ::setenv("CUBRAVA_FRAME_COUNT_FILE", framesFile_.c_str(), 1);
        // Silent on a desktop with a sound server too.
        ::setenv("CUBRAVA_NO_SOUND_PRELOAD", "1", 1);
        ::execl(program.c_str(), "cubrava", static_cast<char*>(nullptr));
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

std::string GameProcess::standardError() const
{
    std::ifstream in(errorFile_);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
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
