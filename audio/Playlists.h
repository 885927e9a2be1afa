#pragma once

#include "model/SongStep.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace cubrava {

extern const char* const DjConfigFileName;
extern const char* const DjConfigErrorMessage;

// The Dj's three lists of sound files, names relative to the working directory.
struct Playlists {
    std::vector<std::string> soundtracks; // played in turn during a game
    std::vector<std::string> loseSongs; // one at random when a game is lost
    std::vector<std::string> winSongs; // one at random when a level is won
};

// Appends the songs of a DJ file to the lists. Raises FatalError with the DJ
// message when the file cannot be read or holds no element at all.
void readPlaylists(const std::string& path, Playlists& into);

// The index the first soundtrack is counted from: random, 0 for an empty list.
std::uint32_t firstSongIndex(std::size_t soundtracks);

// Moves the index through a list of the given length, both ways wrapping;
// Again keeps it. False (and no change) for an empty list, which has nothing
// to play.
bool stepSongIndex(std::uint32_t& index, std::size_t soundtracks, SongStep step);

// A random entry of a lose or win list, or none when it is empty.
const std::string* randomSong(const std::vector<std::string>& songs);

} // namespace cubrava
