#pragma once

#include "Playlists.h"
#include "ReentrantLock.h"
#include "SoundLibrary.h"
#include "model/PlayEvents.h"
#include "model/SongStep.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace cubrava {

extern const char* const DjThreadErrorMessage;

struct DjTiming {
    // How long a new playback thread may take for its first pass.
    std::chrono::milliseconds readyLimit { 6000 };
    // Between two updates of the mixer.
    std::chrono::milliseconds updateInterval { 50 };
    // A failed output is rebuilt on the next sound, but not sooner than this
    // after the last rebuild (doubling while the device stays away), so a
    // machine without sound does not reopen the device and reload the
    // soundtrack on every key press.
    std::chrono::milliseconds rebuildInterval { 1000 };
};

// The music player: a soundtrack looping through the playlist while a game
// runs, a lose or win song when it ends, and the effects of turning, landing
// and clearing. Mixing happens on a playback thread of its own; one lock
// keeps that thread and the caller's out of each other's way in the library.
class Dj : public PlayListener, private SongListener {
public:
    // PLIB on the default device, Config/DJ.dat and the effects of Sounds/.
    Dj();
    Dj(std::unique_ptr<SoundLibrary> library, DjTiming timing);
    ~Dj() override;
    Dj(const Dj&) = delete;
    Dj& operator=(const Dj&) = delete;

    // Starts the playback thread unless it runs; FatalError with the DJ
    // thread message when it does not get going in time.
    void startThread();
    // Ends playback for good, before the program quits.
    void stopThread();
    void changeSong(SongStep step);
    // The soundtrack that plays or played last.
    std::uint32_t songIndex();

    void onPlayEvent(PlayField& play, PlayEvent event, std::int32_t arg) override;

private:
    struct Playback;
    struct Song {
        std::unique_ptr<Sample> sample;
        bool complete = false; // the library reported it finished
        bool stranded = false; // held by a scheduler that is gone
    };

    void songEvent(Sample& sample, SampleEvent event, int magic) override;

    void playbackLoop(Playback& self);
    void startThreadLocked();
    void launchPlayback();
    void endPlayback();
    void joinRetired();
    bool ensureOutput();
    bool rebuildOutput();
    void changeSongLocked(int direction);
    void playSoundtrack(const std::string& file);
    void playLoseSong();
    void playWinSong();
    void playOnce(const std::vector<std::string>& songs, Sample*& slot);
    void playEffect(Sample& effect);
    Sample* startSong(const std::string& file, bool loop);
    void releaseFinishedSongs();
    void forgetSong(const Sample* sample);
    void throwPendingError();
    void shutDown();

    std::unique_ptr<SoundLibrary> library_;
    DjTiming timing_;
    ReentrantLock lock_; // every library call and every song change

    std::unique_ptr<Scheduler> scheduler_;
    std::unique_ptr<Sample> rotateSound_;
    std::unique_ptr<Sample> landSound_;
    std::unique_ptr<Sample> clearSound_;
    std::vector<Song> songs_; // song samples until the library lets them go
    Sample* currentSong_ = nullptr;
    Sample* loseSong_ = nullptr;
    Sample* winSong_ = nullptr;

    Playlists playlists_;
    std::uint32_t songIndex_ = 0;

    std::shared_ptr<Playback> playbackThread_;
    std::vector<std::shared_ptr<Playback>> retired_; // stopped from inside, joined later
    bool playbackEnabled_ = true;
    bool nextSongDue_ = false; // a soundtrack looped during the last update
    bool shuttingDown_ = false;
    bool rebuilt_ = false;
    std::chrono::steady_clock::time_point lastRebuild_;
    std::chrono::milliseconds rebuildDelay_ { 0 };
    std::mutex errorMutex_;
    std::string pendingError_; // raised on the playback thread, thrown to the next caller
};

} // namespace cubrava
