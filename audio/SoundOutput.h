#pragma once

#include "SoundLibrary.h"
#include "model/SongStep.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace cubrava {

enum class SoundEffect { Rotate, Land, Clear };

// The sound library's objects and everything done with them. The library has
// no locks and global state, so this is made, used and destroyed on the Dj's
// playback thread alone.
class SoundOutput : private SongListener {
public:
    // Opens the device and loads the effects of Sounds/. The soundtracks are
    // counted from the first one given, as the Dj counts them.
    SoundOutput(SoundLibrary& library, const std::vector<std::string>& soundtracks, std::uint32_t firstSoundtrack,
        std::chrono::milliseconds rebuildInterval);
    // Stops everything and lets it drain before anything is deleted.
    ~SoundOutput() override;
    SoundOutput(const SoundOutput&) = delete;
    SoundOutput& operator=(const SoundOutput&) = delete;

    bool working() const;
    // Mixes the next stretch; a soundtrack that looped hands over to the
    // next, and then this is true.
    bool update();
    void stopAll();
    // Steps through the soundtracks as stepSongIndex does and plays the one
    // reached from its start, in place of the one playing.
    void playSoundtrack(SongStep step);
    // A lose or win song replaces all sound and plays once.
    void playOnce(const std::string& file);
    void playEffect(SoundEffect effect);

private:
    struct Song {
        std::unique_ptr<Sample> sample;
        bool complete = false; // the library reported it finished
        bool stranded = false; // held by a scheduler that is gone
    };

    void songEvent(Sample& sample, SampleEvent event, int magic) override;

    bool ensureOutput();
    bool rebuild();
    Sample* startSong(const std::string& file, bool loop);
    void releaseFinishedSongs();

    SoundLibrary& library_;
    const std::vector<std::string>& soundtracks_;
    std::uint32_t soundtrack_;
    const std::chrono::milliseconds rebuildInterval_;

    std::unique_ptr<Sample> rotateSound_;
    std::unique_ptr<Sample> landSound_;
    std::unique_ptr<Sample> clearSound_;
    std::vector<Song> songs_; // song samples until the library lets them go
    Sample* currentSong_ = nullptr;
    // Last, so it goes before the samples it may still hold.
    std::unique_ptr<Scheduler> scheduler_;

    bool nextSongDue_ = false; // a soundtrack looped during the last update
    bool shuttingDown_ = false;
    bool rebuilt_ = false;
    std::chrono::steady_clock::time_point lastRebuild_;
    std::chrono::milliseconds rebuildDelay_ { 0 };
};

} // namespace cubrava
