#include "Playlists.h"

#include "data/FatalError.h"
#include "data/Random.h"

#include <tinyxml.h>

namespace cubrava {

const char* const DjConfigFileName = "Config/DJ.dat";
const char* const DjConfigErrorMessage = "There was an error reading the DJ configuration file.\n"
                                         "You may want to reinstall the game before playing again.";

namespace {

// Only the first section of a name counts; later ones are ignored.
void readSection(const TiXmlElement& root, const char* name, std::vector<std::string>& into)
{
    const TiXmlElement* section = root.FirstChildElement(name);
    if (!section)
        return;
    for (const TiXmlElement* song = section->FirstChildElement("song"); song; song = song->NextSiblingElement("song")) {
        const char* text = song->GetText();
        if (text && *text)
            into.emplace_back(text);
    }
}

} // namespace

void readPlaylists(const std::string& path, Playlists& into)
{
    TiXmlDocument document(path);
    if (!document.LoadFile())
        throw FatalError(DjConfigErrorMessage);
    const TiXmlElement* root = document.FirstChildElement();
    if (!root)
        throw FatalError(DjConfigErrorMessage);
    readSection(*root, "soundtracks", into.soundtracks);
    readSection(*root, "losesongs", into.loseSongs);
    readSection(*root, "winsongs", into.winSongs);
}

std::uint32_t firstSongIndex(std::size_t soundtracks)
{
    if (soundtracks == 0)
        return 0;
    return static_cast<std::uint32_t>(static_cast<std::size_t>(rand()) % soundtracks);
}

bool stepSongIndex(std::uint32_t& index, std::size_t soundtracks, int direction)
{
    if (soundtracks == 0)
        return false;
    const auto count = static_cast<std::uint32_t>(soundtracks);
    if (direction == 0)
        index = (index + 1) % count;
    else if (direction == 1)
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
