#include "Dj.h"

#include "PlibSoundLibrary.h"
#include "data/FatalError.h"

#include <pthread.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

namespace cubrava {

const char* const DjThreadErrorMessage = "There was an error initializing the Cubrava DJ.\n"
                                         "Try closing other sound intensive applications and restart Cubrava.";

namespace {

constexpr PlayArgs SongArgs { 16, Preempt::Continue, 1, true };
constexpr PlayArgs EffectArgs { 1, Preempt::Abort, 0, false };
constexpr float SafetyMargin = 0.1f; // seconds of audio kept ahead of the device

// Set on playback threads, which must never wait for one another.
thread_local bool onPlaybackThread = false;

// How long the destructor lets stopped sounds drain out of the mixer.
constexpr int DrainAttempts = 50;
constexpr std::chrono::milliseconds DrainStep { 10 };

} // namespace

// One playback thread and the signals between it and whoever started or stops it.
struct Dj::Playback {
    std::thread thread;
    std::mutex mutex;
    std::condition_variable changed;
    bool stop = false;
    bool ready = false;
    bool finished = false;

    void set(bool Playback::*flag)
    {
        std::lock_guard<std::mutex> guard(mutex);
        this->*flag = true;
        changed.notify_all();
    }

    bool stopRequested()
    {
        std::lock_guard<std::mutex> guard(mutex);
        return stop;
    }

    // Sleeps between updates; true when asked to stop meanwhile.
    bool rest(std::chrono::milliseconds interval)
    {
        std::unique_lock<std::mutex> guard(mutex);
        return changed.wait_for(guard, interval, [this] { return stop; });
    }

    // A thread that ended without a pass (a failed device) counts as started.
    bool waitStarted(std::chrono::milliseconds limit)
    {
        std::unique_lock<std::mutex> guard(mutex);
        return changed.wait_for(guard, limit, [this] { return ready || finished; });
    }
};

Dj::Dj()
    : Dj(std::make_unique<PlibSoundLibrary>(), DjTiming {})
{
}

Dj::Dj(std::unique_ptr<SoundLibrary> library, DjTiming timing)
    : library_(std::move(library))
    , timing_(timing)
{
    std::lock_guard<ReentrantLock> hold(lock_);
    scheduler_ = library_->openScheduler(*this);
    rotateSound_ = scheduler_->load("Sounds/Rotate.wav");
    landSound_ = scheduler_->load("Sounds/Land.wav");
    clearSound_ = scheduler_->load("Sounds/Clear.wav");
    scheduler_->setSafetyMargin(SafetyMargin);
    readPlaylists(DjConfigFileName, playlists_);
    songIndex_ = firstSongIndex(playlists_.soundtracks.size());
}

Dj::~Dj()
{
    std::lock_guard<ReentrantLock> hold(lock_);
    playbackEnabled_ = false;
    shuttingDown_ = true;
    endPlayback();
    joinRetired();
    shutDown();
}

// Deleting a sample the library still plays ends the process, so everything
// is stopped and mixed out first, and whatever stays held is left to the end
// of the process rather than deleted.
void Dj::shutDown()
{
    auto held = [this] {
        bool any = rotateSound_->playCount() > 0 || landSound_->playCount() > 0 || clearSound_->playCount() > 0;
        for (const Song& song : songs_)
            any = any || (!song.stranded && song.sample->playCount() > 0);
        return any;
    };
    scheduler_->stopSample(nullptr, 0);
    for (int i = 0; i < DrainAttempts && held() && !scheduler_->notWorking(); ++i) {
        scheduler_->update();
        releaseFinishedSongs();
        std::this_thread::sleep_for(DrainStep);
    }
    scheduler_.reset();
    for (std::unique_ptr<Sample>* effect : { &rotateSound_, &landSound_, &clearSound_ }) {
        if ((*effect)->playCount() > 0)
            (void)effect->release();
    }
    for (Song& song : songs_) {
        if (song.sample->playCount() > 0)
            (void)song.sample.release();
    }
    songs_.clear();
}

void Dj::startThread()
{
    std::lock_guard<ReentrantLock> hold(lock_);
    throwPendingError();
    startThreadLocked();
}

void Dj::stopThread()
{
    std::lock_guard<ReentrantLock> hold(lock_);
    playbackEnabled_ = false;
    endPlayback();
    joinRetired();
}

void Dj::changeSong(SongStep step)
{
    std::lock_guard<ReentrantLock> hold(lock_);
    throwPendingError();
    // The steps are numbered as the playlist counts its directions.
    changeSongLocked(static_cast<int>(step));
}

std::uint32_t Dj::songIndex()
{
    std::lock_guard<ReentrantLock> hold(lock_);
    return songIndex_;
}

void Dj::onPlayEvent(PlayField&, PlayEvent event, std::int32_t)
{
    std::lock_guard<ReentrantLock> hold(lock_);
    throwPendingError();
    switch (event) {
    case PlayEvent::Started:
        scheduler_->stopSample(nullptr, 0);
        changeSongLocked(0);
        break;
    case PlayEvent::GameOver:
        playLoseSong();
        break;
    case PlayEvent::Stopped:
        playWinSong();
        break;
    case PlayEvent::PieceRotated:
        playEffect(*rotateSound_);
        break;
    case PlayEvent::PieceLanded:
    case PlayEvent::LayerDropped:
        playEffect(*landSound_);
        break;
    case PlayEvent::LayerCleared:
        playEffect(*clearSound_);
        break;
    default:
        break;
    }
}

// Runs inside Scheduler::update with the lock held. Nothing is released or
// restarted here: a later notification of the same update may still name the
// sample, and the scheduler is in the middle of its work.
void Dj::songEvent(Sample& sample, SampleEvent event, int)
{
    if (event == SampleEvent::Complete) {
        for (Song& song : songs_) {
            if (song.sample.get() == &sample)
                song.complete = true;
        }
    } else if (event == SampleEvent::Looped && &sample == currentSong_ && !shuttingDown_) {
        nextSongDue_ = true;
    }
}

void Dj::playbackLoop(Playback& self)
{
    onPlaybackThread = true;
    pthread_setname_np(pthread_self(), "cubrava-dj");
    for (;;) {
        {
            std::lock_guard<ReentrantLock> hold(lock_);
            if (!playbackEnabled_ || self.stopRequested() || scheduler_->notWorking())
                break;
            scheduler_->update();
            releaseFinishedSongs();
            if (nextSongDue_) {
                nextSongDue_ = false;
                try {
                    changeSongLocked(0);
                } catch (const FatalError& error) {
                    // The lock may be gone with the error: touch nothing it guards.
                    std::lock_guard<std::mutex> guard(errorMutex_);
                    pendingError_ = error.what();
                    break;
                }
            }
        }
        self.set(&Playback::ready);
        if (self.rest(timing_.updateInterval))
            break;
    }
    self.set(&Playback::finished);
}

void Dj::startThreadLocked()
{
    joinRetired();
    if (!playbackThread_ && playbackEnabled_)
        launchPlayback();
}

// Starts a thread and waits, with the lock set down, for its first pass. A
// thread that never gets there may be stuck holding the lock, so the error
// leaves without taking it back.
void Dj::launchPlayback()
{
    auto playback = std::make_shared<Playback>();
    try {
        playback->thread = std::thread([this, playback] { playbackLoop(*playback); });
    } catch (const std::system_error&) {
        throw FatalError(DjThreadErrorMessage);
    }
    playbackThread_ = playback;
    LockReleased open(lock_);
    if (!playback->waitStarted(timing_.readyLimit))
        throw FatalError(DjThreadErrorMessage);
}

// Stops the playback thread; it runs no further update once this returns. A
// thread cannot wait for itself: stopped from inside, it is joined later.
void Dj::endPlayback()
{
    std::shared_ptr<Playback> playback = std::move(playbackThread_);
    playbackThread_.reset();
    if (!playback)
        return;
    playback->set(&Playback::stop);
    if (onPlaybackThread) {
        retired_.push_back(std::move(playback));
        return;
    }
    LockReleased open(lock_);
    playback->thread.join();
}

void Dj::joinRetired()
{
    if (onPlaybackThread || retired_.empty())
        return;
    std::vector<std::shared_ptr<Playback>> stopped;
    stopped.swap(retired_);
    LockReleased open(lock_);
    for (auto& playback : stopped)
        playback->thread.join();
}

// False when the output had to be rebuilt, so what played on it is gone.
bool Dj::ensureOutput()
{
    if (!scheduler_->notWorking())
        return true;
    return !rebuildOutput();
}

bool Dj::rebuildOutput()
{
    const auto now = std::chrono::steady_clock::now();
    if (rebuilt_ && now - lastRebuild_ < rebuildDelay_)
        return false;

    endPlayback();
    scheduler_.reset();
    // Nothing plays any more and no notification can come. The library does
    // not let go of what a destroyed scheduler played: those samples stay
    // counted as held, so they are kept, never deleted.
    currentSong_ = loseSong_ = winSong_ = nullptr;
    songs_.erase(
        std::remove_if(songs_.begin(), songs_.end(), [](const Song& song) { return song.sample->playCount() == 0; }),
        songs_.end());
    for (Song& song : songs_)
        song.stranded = true;
    scheduler_ = library_->openScheduler(*this);
    // With the library's default margin the output overruns libpulsedsp's
    // buffer: streams of write errors and notifications dropped.
    scheduler_->setSafetyMargin(SafetyMargin);
    // A device that stays away is tried less and less often.
    rebuildDelay_ = !scheduler_->notWorking() ? timing_.rebuildInterval
        : rebuilt_                            ? std::min(rebuildDelay_ * 2, timing_.rebuildInterval * 32)
                                              : timing_.rebuildInterval;
    rebuilt_ = true;
    lastRebuild_ = std::chrono::steady_clock::now();
    if (playbackEnabled_)
        launchPlayback();
    return true;
}

void Dj::changeSongLocked(int direction)
{
    if (!stepSongIndex(songIndex_, playlists_.soundtracks.size(), direction))
        return;
    playSoundtrack(playlists_.soundtracks[songIndex_]);
}

void Dj::playSoundtrack(const std::string& file)
{
    startThreadLocked();
    if (scheduler_->notWorking())
        rebuildOutput();
    if (currentSong_)
        scheduler_->stopSample(currentSong_, 0);
    currentSong_ = startSong(file, true);
}

void Dj::playLoseSong()
{
    playOnce(playlists_.loseSongs, loseSong_);
}

void Dj::playWinSong()
{
    playOnce(playlists_.winSongs, winSong_);
}

// A lose or win song replaces all sound and plays once.
void Dj::playOnce(const std::vector<std::string>& songs, Sample*& slot)
{
    const std::string* file = randomSong(songs);
    if (!file)
        return;
    startThreadLocked();
    // Rebuilt before loading, so the song is converted to the new output.
    if (scheduler_->notWorking())
        rebuildOutput();
    scheduler_->stopSample(nullptr, 0);
    slot = startSong(*file, false);
}

void Dj::playEffect(Sample& effect)
{
    if (!ensureOutput())
        changeSongLocked(2);
    if (!effect.empty())
        scheduler_->playSample(effect, EffectArgs);
}

// The song's sample while the library holds it, otherwise none: an empty
// sample is never handed over, and one the library did not take (no device)
// will never be reported and goes at once.
Sample* Dj::startSong(const std::string& file, bool loop)
{
    std::unique_ptr<Sample> sample = scheduler_->load(file);
    if (sample->empty())
        return nullptr;
    if (loop)
        scheduler_->loopSample(*sample, SongArgs);
    else
        scheduler_->playSample(*sample, SongArgs);
    if (sample->playCount() == 0)
        return nullptr;
    songs_.push_back(Song { std::move(sample), false });
    return songs_.back().sample.get();
}

// After update has returned: songs reported complete and no longer held go.
void Dj::releaseFinishedSongs()
{
    for (auto it = songs_.begin(); it != songs_.end();) {
        if (it->complete && it->sample->playCount() == 0) {
            forgetSong(it->sample.get());
            it = songs_.erase(it);
        } else {
            ++it;
        }
    }
}

void Dj::forgetSong(const Sample* sample)
{
    for (Sample** slot : { &currentSong_, &loseSong_, &winSong_ }) {
        if (*slot == sample)
            *slot = nullptr;
    }
}

void Dj::throwPendingError()
{
    std::string message;
    {
        std::lock_guard<std::mutex> guard(errorMutex_);
        message.swap(pendingError_);
    }
    if (!message.empty())
        throw FatalError(message);
}

} // namespace cubrava
