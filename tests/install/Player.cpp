#include "Player.h"

#include <unistd.h>

namespace cubrava::install {

namespace fs = std::filesystem;

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

e2e::ProcessStart Player::start(const std::string& program, const std::vector<std::string>& arguments) const
{
    // What the program writes to its standard streams goes beside the working
    // folder, which must stay as the player left it.
    static int started = 0;
    const fs::path record = root_ / (program + "-" + std::to_string(++started));
    fs::create_directories(record);
    return { fs::path(CUBRAVA_INSTALLED_PROGRAMS) / program, arguments, workingFolder(), record,
        { { "HOME", home().string() }, { "CUBRAVA_NO_SOUND_PRELOAD", "1" } }, { "XDG_DATA_HOME" }, {} };
}

} // namespace cubrava::install
