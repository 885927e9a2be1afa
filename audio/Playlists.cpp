#include "Playlists.h"

#include "data/ProcessWide.h"
#include "data/SectionLists.h"

namespace cubrava {

const char* const DjConfigFileName = "Config/DJ.dat";
const char* const DjConfigErrorMessage = "There was an error reading the DJ configuration file.\n"
                                         "You may want to reinstall the game before playing again.";

void readPlaylists(const std::string& path, Playlists& into)
{
    auto lists = readSectionLists(path, { "soundtracks", "losesongs", "winsongs" }, "song", DjConfigErrorMessage);
    into.soundtracks.insert(into.soundtracks.end(), lists[0].begin(), lists[0].end());
    into.loseSongs.insert(into.loseSongs.end(), lists[1].begin(), lists[1].end());
    into.winSongs.insert(into.winSongs.end(), lists[2].begin(), lists[2].end());
}

std::uint32_t firstSongIndex(std::size_t soundtracks)
{
    if (soundtracks == 0)
        return 0;
    return static_cast<std::uint32_t>(static_cast<std::size_t>(rand()) % soundtracks);
}

bool stepSongIndex(std::uint32_t& index, std::size_t soundtracks, SongStep step)
{
    if (soundtracks == 0)
        return false;
    const auto count = static_cast<std::uint32_t>(soundtracks);
    if (step == SongStep::Next)
        index = (index + 1) % count;
    else if (step == SongStep::Previous)
        index = index == 0 ? count - 1 : index - 1;
    return true;
}

const std::string* randomSong(const std::vector<std::string>& songs)
{
    if (songs.empty())
        return nullptr;
    return &songs[static_cast<std::size_t>(rand()) % songs.size()];
}

} // namespace cubrava
