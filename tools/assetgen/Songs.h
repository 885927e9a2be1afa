#pragma once

#include "Composer.h"

#include <vector>

namespace cubrava::assetgen {

// The soundtracks that loop during play, each in its own key, tempo and mood.
std::vector<SongSpec> soundtracks();

// Short songs for a won level (bright, rising) and a lost game (falling).
std::vector<SongSpec> winJingles();
std::vector<SongSpec> loseJingles();

} // namespace cubrava::assetgen
