#pragma once

#include "Playlists.h"
#include "SoundLibrary.h"
#include "model/PlayEvents.h"
#include "model/SongStep.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace cubrava {

extern const char* const DjThreadErrorMessage;

class SoundOutput;

struct DjTiming {
    // How long a new playback thread may take to open the output and make
    // its first pass.
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
// and clearing. The sound library belongs to a playback thread of its own:
// the operations here choose the songs and post what is to be done, which
// that thread carries out in order before its next update of the mixer.
// They are meant for one thread, the game's.
class Dj : public PlayListener {
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
    // Ends playback for good, before the program quits, once what was posted
    // has been carried out.
    void stopThread();
    void changeSong(SongStep step);
    // The soundtrack that plays or played last, counting what was posted.
    std::uint32_t songIndex();

    void onPlayEvent(PlayField& play, PlayEvent event, std::int32_t arg) override;

private:
    using Command = std::function<void(SoundOutput&)>;

    void post(Command command);
    bool stepSoundtrack(SongStep step);
    void playOnce(const std::vector<std::string>& songs);
    void launchPlayback();
    void playbackLoop();
    void serve(SoundOutput& output);
    void update(SoundOutput& output);
    void throwPendingError();

    std::unique_ptr<SoundLibrary> library_; // used on the playback thread only
    DjTiming timing_;
    const Playlists playlists_;
    const std::uint32_t firstSoundtrack_;

    std::mutex mutex_; // guards what follows, up to the thread
    std::condition_variable changed_;
    // Stepped at once by the song keys, for the panel, and by a soundtrack
    // that hands over to the next. The playback thread counts its own from
    // the same start and the same steps, taken in turn.
    std::uint32_t songIndex_;
    std::deque<Command> commands_;
    bool accepting_ = false; // the playback thread will still carry commands out
    bool stopRequested_ = false;
    bool ready_ = false; // its first pass is done
    bool finished_ = false;
    std::exception_ptr pendingError_; // raised on the playback thread, thrown to the next caller

    std::thread thread_;
    bool playbackEnabled_ = true;
};

} // namespace cubrava
