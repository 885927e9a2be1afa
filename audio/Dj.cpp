#include "Dj.h"

#include "PlibSoundLibrary.h"
#include "SoundOutput.h"
#include "data/FatalError.h"

#include <pthread.h>

#include <system_error>

namespace cubrava {

const char* const DjThreadErrorMessage = "There was an error initializing the Cubrava DJ.\n"
                                         "Try closing other sound intensive applications and restart Cubrava.";

namespace {

Playlists readDjPlaylists()
{
    Playlists lists;
    readPlaylists(DjConfigFileName, lists);
    return lists;
}

} // namespace

Dj::Dj()
    : Dj(std::make_unique<PlibSoundLibrary>(), DjTiming {})
{
}

Dj::Dj(std::unique_ptr<SoundLibrary> library, DjTiming timing)
    : library_(std::move(library))
    , timing_(timing)
    , playlists_(readDjPlaylists())
    , firstSoundtrack_(firstSongIndex(playlists_.soundtracks.size()))
    , songIndex_(firstSoundtrack_)
{
}

Dj::~Dj()
{
    stopThread();
}

void Dj::startThread()
{
    throwPendingError();
    launchPlayback();
}

void Dj::stopThread()
{
    playbackEnabled_ = false;
    if (!thread_.joinable())
        return;
    {
        std::lock_guard<std::mutex> guard(mutex_);
        stopRequested_ = true;
        changed_.notify_all();
    }
    thread_.join();
}

void Dj::changeSong(SongStep step)
{
    throwPendingError();
    if (stepSoundtrack(step))
        post([step](SoundOutput& output) { output.playSoundtrack(step); });
}

std::uint32_t Dj::songIndex()
{
    std::lock_guard<std::mutex> guard(mutex_);
    return songIndex_;
}

// The songs are chosen here, on the caller's side, so the random draws keep
// their place among the game's own.
void Dj::onPlayEvent(PlayField&, PlayEvent event, std::int32_t)
{
    throwPendingError();
    switch (event) {
    case PlayEvent::Started:
        stepSoundtrack(SongStep::Next);
        post([](SoundOutput& output) {
            output.stopAll();
            output.playSoundtrack(SongStep::Next);
        });
        break;
    case PlayEvent::GameOver:
        playOnce(playlists_.loseSongs);
        break;
    case PlayEvent::Stopped:
        playOnce(playlists_.winSongs);
        break;
    case PlayEvent::PieceRotated:
        post([](SoundOutput& output) { output.playEffect(SoundEffect::Rotate); });
        break;
    case PlayEvent::PieceLanded:
    case PlayEvent::LayerDropped:
        post([](SoundOutput& output) { output.playEffect(SoundEffect::Land); });
        break;
    case PlayEvent::LayerCleared:
        post([](SoundOutput& output) { output.playEffect(SoundEffect::Clear); });
        break;
    default:
        break;
    }
}

// The playback thread takes the same step when it gets to the command.
bool Dj::stepSoundtrack(SongStep step)
{
    std::lock_guard<std::mutex> guard(mutex_);
    return stepSongIndex(songIndex_, playlists_.soundtracks.size(), step);
}

void Dj::playOnce(const std::vector<std::string>& songs)
{
    const std::string* file = randomSong(songs);
    if (file)
        post([file = *file](SoundOutput& output) { output.playOnce(file); });
}

// A sound asked for before startThread starts the thread, as startThread would.
void Dj::post(Command command)
{
    launchPlayback();
    std::lock_guard<std::mutex> guard(mutex_);
    if (!accepting_)
        return; // playback is over: nothing will be heard any more
    commands_.push_back(std::move(command));
    changed_.notify_all();
}

// Once only, and waits for the thread's first pass. A thread that ended
// before it (an error there, thrown to the next caller) counts as started.
void Dj::launchPlayback()
{
    if (thread_.joinable() || !playbackEnabled_)
        return;
    {
        std::lock_guard<std::mutex> guard(mutex_);
        accepting_ = true;
    }
    try {
        thread_ = std::thread([this] { playbackLoop(); });
    } catch (const std::system_error&) {
        std::lock_guard<std::mutex> guard(mutex_);
        accepting_ = false;
        throw FatalError(DjThreadErrorMessage);
    }
    std::unique_lock<std::mutex> lock(mutex_);
    if (!changed_.wait_for(lock, timing_.readyLimit, [this] { return ready_ || finished_; }))
        throw FatalError(DjThreadErrorMessage);
}

// The output lives and dies on this thread; an error ends playback, with
// the output shut down safely on the way out.
void Dj::playbackLoop()
{
    pthread_setname_np(pthread_self(), "cubrava-dj");
    try {
        SoundOutput output(*library_, playlists_.soundtracks, firstSoundtrack_, timing_.rebuildInterval);
        serve(output);
    } catch (...) {
        std::lock_guard<std::mutex> guard(mutex_);
        pendingError_ = std::current_exception();
    }
    std::lock_guard<std::mutex> guard(mutex_);
    accepting_ = false;
    commands_.clear();
    finished_ = true;
    changed_.notify_all();
}

// Commands are carried out as soon as they come, updates keep their own
// pace, and an output that does not work needs no updates at all.
void Dj::serve(SoundOutput& output)
{
    using Clock = std::chrono::steady_clock;
    update(output);
    auto nextUpdate = Clock::now() + timing_.updateInterval;
    {
        std::lock_guard<std::mutex> guard(mutex_);
        ready_ = true;
        changed_.notify_all();
    }
    for (;;) {
        const bool mixing = output.working();
        std::deque<Command> due;
        bool stop = false;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            auto woken = [this] { return stopRequested_ || !commands_.empty(); };
            if (mixing)
                changed_.wait_until(lock, nextUpdate, woken);
            else
                changed_.wait(lock, woken);
            due.swap(commands_);
            stop = stopRequested_;
        }
        for (Command& command : due)
            command(output);
        if (stop)
            return;
        if (Clock::now() >= nextUpdate) {
            update(output);
            nextUpdate = Clock::now() + timing_.updateInterval;
        }
    }
}

void Dj::update(SoundOutput& output)
{
    if (output.update())
        stepSoundtrack(SongStep::Next);
}

void Dj::throwPendingError()
{
    std::exception_ptr error;
    {
        std::lock_guard<std::mutex> guard(mutex_);
        error.swap(pendingError_);
    }
    if (error)
        std::rethrow_exception(error);
}

} // namespace cubrava
