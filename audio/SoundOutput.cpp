#include "SoundOutput.h"

#include "Playlists.h"

#include <algorithm>
#include <thread>

namespace cubrava {

namespace {

constexpr PlayArgs SongArgs { 16, Preempt::Continue, 1, true };
constexpr PlayArgs EffectArgs { 1, Preempt::Abort, 0, false };
constexpr float SafetyMargin = 0.1f; // seconds of audio kept ahead of the device

// How long shutting down lets stopped sounds drain out of the mixer.
constexpr int DrainAttempts = 50;
constexpr std::chrono::milliseconds DrainStep { 10 };

} // namespace

SoundOutput::SoundOutput(SoundLibrary& library, const std::vector<std::string>& soundtracks,
    std::uint32_t firstSoundtrack, std::chrono::milliseconds rebuildInterval)
    : library_(library)
    , soundtracks_(soundtracks)
    , soundtrack_(firstSoundtrack)
    , rebuildInterval_(rebuildInterval)
{
    scheduler_ = library_.openScheduler(*this);
    rotateSound_ = scheduler_->load("Sounds/Rotate.wav");
    landSound_ = scheduler_->load("Sounds/Land.wav");
    clearSound_ = scheduler_->load("Sounds/Clear.wav");
    scheduler_->setSafetyMargin(SafetyMargin);
}

// Deleting a sample the library still plays ends the process, so everything
// is stopped and mixed out first, and whatever stays held is left to the end
// of the process rather than deleted.
SoundOutput::~SoundOutput()
{
    shuttingDown_ = true;
    auto held = [this] {
        bool any = rotateSound_->playCount() > 0 || landSound_->playCount() > 0 || clearSound_->playCount() > 0;
        for (const Song& song : songs_)
            any = any || (!song.stranded && song.sample->playCount() > 0);
        return any;
    };
    // None when opening a new one failed: nothing can play then.
    if (scheduler_) {
        scheduler_->stopSample(nullptr, 0);
        for (int i = 0; i < DrainAttempts && held() && !scheduler_->notWorking(); ++i) {
            scheduler_->update();
            releaseFinishedSongs();
            std::this_thread::sleep_for(DrainStep);
        }
        scheduler_.reset();
    }
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

bool SoundOutput::working() const
{
    return !scheduler_->notWorking();
}

bool SoundOutput::update()
{
    if (scheduler_->notWorking())
        return false;
    scheduler_->update();
    releaseFinishedSongs();
    if (!nextSongDue_)
        return false;
    nextSongDue_ = false;
    playSoundtrack(SongStep::Next);
    return true;
}

void SoundOutput::stopAll()
{
    scheduler_->stopSample(nullptr, 0);
}

void SoundOutput::playSoundtrack(SongStep step)
{
    if (!stepSongIndex(soundtrack_, soundtracks_.size(), step))
        return;
    if (scheduler_->notWorking())
        rebuild();
    if (currentSong_)
        scheduler_->stopSample(currentSong_, 0);
    currentSong_ = startSong(soundtracks_[soundtrack_], true);
}

void SoundOutput::playOnce(const std::string& file)
{
    // Rebuilt before loading, so the song is converted to the new output.
    if (scheduler_->notWorking())
        rebuild();
    scheduler_->stopSample(nullptr, 0);
    startSong(file, false);
}

void SoundOutput::playEffect(SoundEffect effect)
{
    if (!ensureOutput())
        playSoundtrack(SongStep::Again);
    Sample& sample = effect == SoundEffect::Rotate ? *rotateSound_
        : effect == SoundEffect::Land              ? *landSound_
                                                   : *clearSound_;
    if (!sample.empty())
        scheduler_->playSample(sample, EffectArgs);
}

// Runs inside Scheduler::update. Nothing is released or restarted here: a
// later notification of the same update may still name the sample, and the
// scheduler is in the middle of its work.
void SoundOutput::songEvent(Sample& sample, SampleEvent event, int)
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

// False when the output had to be rebuilt, so what played on it is gone.
bool SoundOutput::ensureOutput()
{
    if (!scheduler_->notWorking())
        return true;
    return !rebuild();
}

// A failed output is rebuilt on the next sound, but a device that stays away
// is tried less and less often, so a machine without sound does not reopen it
// and reload the soundtrack on every key press.
bool SoundOutput::rebuild()
{
    const auto now = std::chrono::steady_clock::now();
    if (rebuilt_ && now - lastRebuild_ < rebuildDelay_)
        return false;

    scheduler_.reset();
    // Nothing plays any more and no notification can come. The library does
    // not let go of what a destroyed scheduler played: those samples stay
    // counted as held, so they are kept, never deleted.
    currentSong_ = nullptr;
    songs_.erase(
        std::remove_if(songs_.begin(), songs_.end(), [](const Song& song) { return song.sample->playCount() == 0; }),
        songs_.end());
    for (Song& song : songs_)
        song.stranded = true;
    scheduler_ = library_.openScheduler(*this);
    // With the library's default margin the output overruns libpulsedsp's
    // buffer: streams of write errors and notifications dropped.
    scheduler_->setSafetyMargin(SafetyMargin);
    rebuildDelay_ = !scheduler_->notWorking() ? rebuildInterval_
        : rebuilt_                            ? std::min(rebuildDelay_ * 2, rebuildInterval_ * 32)
                                              : rebuildInterval_;
    rebuilt_ = true;
    lastRebuild_ = std::chrono::steady_clock::now();
    return true;
}

// The song's sample while the library holds it, otherwise none: an empty
// sample is never handed over, and one the library did not take (no device)
// will never be reported and goes at once.
Sample* SoundOutput::startSong(const std::string& file, bool loop)
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
void SoundOutput::releaseFinishedSongs()
{
    for (auto it = songs_.begin(); it != songs_.end();) {
        if (it->complete && it->sample->playCount() == 0) {
            if (it->sample.get() == currentSong_)
                currentSong_ = nullptr;
            it = songs_.erase(it);
        } else {
            ++it;
        }
    }
}

} // namespace cubrava
