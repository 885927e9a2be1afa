#include "DspPreload.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

extern char** environ;

namespace cubrava {

namespace {

const char* const LibraryName = "libpulsedsp.so";
const char* const DeclineVariable = "CUBRAVA_NO_SOUND_PRELOAD";
constexpr std::chrono::seconds ServerLimit { 5 };

std::optional<std::string> installedLibrary()
{
    const std::string candidates[] = {
#ifdef CUBRAVA_MULTIARCH
        std::string("/usr/lib/") + CUBRAVA_MULTIARCH + "/pulseaudio/" + LibraryName,
#endif
        std::string("/usr/lib/pulseaudio/") + LibraryName,
    };
    for (const std::string& candidate : candidates)
        if (::access(candidate.c_str(), R_OK) == 0)
            return candidate;
    return std::nullopt;
}

// Whether a sound server answers `pactl info` within the limit.
bool soundServerAnswers()
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    for (int fd = 0; fd <= 2; ++fd)
        posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", fd == 0 ? O_RDONLY : O_WRONLY, 0);
    char command[] = "pactl";
    char info[] = "info";
    char* args[] = { command, info, nullptr };
    // Without DISPLAY: its connection to the X server, the first of the
    // program's and closed at once, could leave a server with no other
    // client resetting just as the game connects.
    std::vector<char*> environment;
    for (char** variable = environ; *variable; ++variable)
        if (std::strncmp(*variable, "DISPLAY=", 8) != 0)
            environment.push_back(*variable);
    environment.push_back(nullptr);
    pid_t pid = -1;
    const int spawned = posix_spawnp(&pid, command, &actions, nullptr, args, environment.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return false;

    const auto deadline = std::chrono::steady_clock::now() + ServerLimit;
    for (;;) {
        int status = 0;
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid)
            return WIFEXITED(status) && WEXITSTATUS(status) == 0;
        if (done < 0 && errno != EINTR)
            return false;
        if (std::chrono::steady_clock::now() >= deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

} // namespace

std::optional<std::string> dspPreloadFor(const DspSituation& situation)
{
    if (situation.deviceExists || situation.declined || !situation.library)
        return std::nullopt;
    if (situation.preload.find(LibraryName) != std::string::npos)
        return std::nullopt;
    if (!situation.serverAnswers || !situation.serverAnswers())
        return std::nullopt;
    return situation.preload.empty() ? *situation.library : *situation.library + " " + situation.preload;
}

void restartWithDspEmulation(char** argv)
{
    DspSituation situation;
    situation.deviceExists = ::access("/dev/dsp", F_OK) == 0;
    situation.declined = std::getenv(DeclineVariable) != nullptr;
    const char* preload = std::getenv("LD_PRELOAD");
    situation.preload = preload ? preload : "";
    situation.library = installedLibrary();
    situation.serverAnswers = soundServerAnswers;
    const std::optional<std::string> restartPreload = dspPreloadFor(situation);
    if (!restartPreload)
        return;

    const std::string before = situation.preload;
    ::setenv("LD_PRELOAD", restartPreload->c_str(), 1);
    ::execv("/proc/self/exe", argv);
    // Still here: the program goes on silently, as without a sound server.
    if (preload)
        ::setenv("LD_PRELOAD", before.c_str(), 1);
    else
        ::unsetenv("LD_PRELOAD");
}

} // namespace cubrava
