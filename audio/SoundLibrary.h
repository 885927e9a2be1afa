#pragma once

#include <memory>
#include <string>

namespace cubrava {

// What the Dj takes from a sound library: samples, and a scheduler that mixes
// them and writes the mix to the audio device. The real one is PLIB's; tests
// use a fake. None of it is thread-safe: the Dj makes every call from its
// playback thread.

// A sound held in memory, playable on any scheduler.
class Sample {
public:
    virtual ~Sample() = default;
    // A file that could not be loaded gives an empty sample.
    virtual bool empty() const = 0;
    // Players of a scheduler that still hold the sample; it may be released only at 0.
    virtual int playCount() const = 0;
};

enum class SampleEvent { Complete, Looped, Preempted };

// Told from inside Scheduler::update, on the thread that calls it.
class SongListener {
public:
    virtual ~SongListener() = default;
    virtual void songEvent(Sample& sample, SampleEvent event, int magic) = 0;
};

enum class Preempt { Continue, Abort };

struct PlayArgs {
    int priority;
    Preempt preempt;
    int magic;
    bool notify; // tell the scheduler's SongListener about this sound
};

class Scheduler {
public:
    virtual ~Scheduler() = default;
    // True once the device could not be opened or failed; playing then does nothing.
    virtual bool notWorking() const = 0;
    virtual void setSafetyMargin(float seconds) = 0;
    // Mixes the playing sounds and hands the next stretch to the device; the
    // notifications of finished or looped sounds come from here.
    virtual void update() = 0;
    // Loads a ".wav", ".au" or ".ub" file converted to this scheduler's format
    // (unconverted while it is not working).
    virtual std::unique_ptr<Sample> load(const std::string& file) = 0;
    virtual void loopSample(Sample& sample, const PlayArgs& args) = 0;
    virtual void playSample(Sample& sample, const PlayArgs& args) = 0;
    // Stops one sample, or every sound when given none.
    virtual void stopSample(Sample* sample, int magic) = 0;
};

class SoundLibrary {
public:
    virtual ~SoundLibrary() = default;
    // Opens the audio device and a mixer on it; a device that cannot be opened
    // gives a scheduler that is not working. Notifications go to songs.
    virtual std::unique_ptr<Scheduler> openScheduler(SongListener& songs) = 0;
};

} // namespace cubrava
