#pragma once

#include "audio/SoundLibrary.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

// The name the Dj gives its playback thread, the only one that may call the library.
inline const char* const PlaybackThreadName = "cubrava-dj";

// A stand-in for the sound library that records every call and checks the
// rules the real one punishes: no call but from the playback thread, no
// overlapping calls, no update of a replaced scheduler, no empty sample
// played, no sample deleted while held or from inside update. Notifications
// are delivered at the end of update, last first.
struct FakeAudio {
    std::mutex mutex;
    std::vector<std::string> calls;
    std::vector<std::string> faults;
    std::set<std::string> missingFiles; // load as empty samples
    std::set<std::string> unreadableFiles; // loading them raises a FatalError
    bool devicePresent = true; // schedulers opened from now on work
    int opened = 0;
    int updates = 0; // on any working scheduler
    bool failOnUpdate = false; // the next update breaks the device
    bool loopOnUpdate = false; // the next update reaches the loop point of every looping sound
    bool endOnUpdate = false; // the next update ends every one-shot sound
    bool blockUpdates = false;
    std::condition_variable unblocked;
    std::atomic<bool> busy { false };
    std::atomic<bool> inUpdate { false };

    std::vector<std::string> callsSnapshot()
    {
        std::lock_guard<std::mutex> guard(mutex);
        return calls;
    }
    std::vector<std::string> faultsSnapshot()
    {
        std::lock_guard<std::mutex> guard(mutex);
        return faults;
    }
    void set(bool FakeAudio::*flag, bool value)
    {
        std::lock_guard<std::mutex> guard(mutex);
        this->*flag = value;
        unblocked.notify_all();
    }
    bool isSet(bool FakeAudio::*flag)
    {
        std::lock_guard<std::mutex> guard(mutex);
        return this->*flag;
    }
    int count(int FakeAudio::*counter)
    {
        std::lock_guard<std::mutex> guard(mutex);
        return this->*counter;
    }
};

class FakeSoundLibrary : public cubrava::SoundLibrary {
public:
    explicit FakeSoundLibrary(std::shared_ptr<FakeAudio> audio)
        : audio_(std::move(audio))
    {
    }
    std::unique_ptr<cubrava::Scheduler> openScheduler(cubrava::SongListener& songs) override;

private:
    std::shared_ptr<FakeAudio> audio_;
};
