#include "InstalledProgram.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

namespace cubrava::install {

namespace fs = std::filesystem;

namespace {

std::string readWhole(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

void redirect(const fs::path& file, int fd)
{
    const int opened = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (opened >= 0)
        ::dup2(opened, fd);
}

} // namespace

Player::Player()
{
    std::string pattern = (fs::temp_directory_path() / "cubrava-player-XXXXXX").string();
    root_ = ::mkdtemp(pattern.data());
    fs::create_directories(home());
    fs::create_directories(workingFolder());
}

Player::~Player()
{
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

InstalledProgram::InstalledProgram(
    const Player& player, const std::string& program, const std::vector<std::string>& arguments)
{
    // Beside the working folder, which must stay as the player left it.
    static int started = 0;
    const std::string name = program + "-" + std::to_string(++started);
    outputFile_ = player.home().parent_path() / (name + ".out");
    errorFile_ = player.home().parent_path() / (name + ".err");
    const std::string path = std::string(CUBRAVA_INSTALLED_PROGRAMS) + "/" + program;
    std::vector<std::string> words { program };
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    pid_ = ::fork();
    if (pid_ == 0) {
        if (::chdir(player.workingFolder().c_str()) != 0)
            ::_exit(126);
        redirect(outputFile_, 1);
        redirect(errorFile_, 2);
        ::setenv("HOME", player.home().c_str(), 1);
        ::unsetenv("XDG_DATA_HOME");
        ::setenv("CUBRAVA_NO_SOUND_PRELOAD", "1", 1);
        ::execv(path.c_str(), argv.data());
        ::_exit(127);
    }
}

InstalledProgram::~InstalledProgram()
{
    if (!status_ && pid_ > 0) {
        ::kill(pid_, SIGKILL);
        int ignored;
        ::waitpid(pid_, &ignored, 0);
    }
}

std::optional<int> InstalledProgram::waitForExit(std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!status_) {
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            break;
        }
        if (std::chrono::steady_clock::now() >= deadline)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return status_;
}

std::string InstalledProgram::standardOutput() const
{
    return readWhole(outputFile_);
}

std::string InstalledProgram::standardError() const
{
    return readWhole(errorFile_);
}

} // namespace cubrava::install
