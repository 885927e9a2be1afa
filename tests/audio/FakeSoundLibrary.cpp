#include "FakeSoundLibrary.h"
#include "data/FatalError.h"

#include <pthread.h>

#include <algorithm>
#include <cstring>
#include <utility>

using namespace cubrava;

namespace {

void checkThread(FakeAudio& audio)
{
    char name[16] = {};
    pthread_getname_np(pthread_self(), name, sizeof name);
    if (std::strcmp(name, PlaybackThreadName) != 0) {
        std::lock_guard<std::mutex> guard(audio.mutex);
        audio.faults.push_back(std::string("library called from thread ") + name);
    }
}

// Flags calls off the playback thread, and calls that overlap.
class CallGuard {
public:
    explicit CallGuard(FakeAudio& audio)
        : audio_(audio)
    {
        checkThread(audio_);
        if (audio_.busy.exchange(true)) {
            std::lock_guard<std::mutex> guard(audio_.mutex);
            audio_.faults.push_back("overlapping calls into the library");
        }
    }
    ~CallGuard() { audio_.busy.store(false); }

private:
    FakeAudio& audio_;
};

class FakeSample : public Sample {
public:
    FakeSample(std::shared_ptr<FakeAudio> audio, std::string name, bool empty)
        : audio_(std::move(audio))
        , name_(std::move(name))
        , empty_(empty)
    {
    }
    ~FakeSample() override
    {
        checkThread(*audio_);
        std::lock_guard<std::mutex> guard(audio_->mutex);
        if (held > 0)
            audio_->faults.push_back("deleted while held: " + name_);
        if (audio_->inUpdate.load())
            audio_->faults.push_back("deleted inside update: " + name_);
        audio_->calls.push_back("release " + name_);
    }
    bool empty() const override
    {
        checkThread(*audio_);
        return empty_;
    }
    int playCount() const override
    {
        checkThread(*audio_);
        std::lock_guard<std::mutex> guard(audio_->mutex);
        return held;
    }
    const std::string& name() const { return name_; }
    bool emptyFile() const { return empty_; } // for the fake itself: no check

    int held = 0; // under the FakeAudio mutex

private:
    std::shared_ptr<FakeAudio> audio_;
    std::string name_;
    bool empty_;
};

std::string describe(const char* what, const FakeSample& sample, const PlayArgs& args)
{
    return std::string(what) + " " + sample.name() + " " + std::to_string(args.priority)
        + (args.preempt == Preempt::Continue ? " continue " : " abort ") + std::to_string(args.magic)
        + (args.notify ? " notify" : "");
}

class FakeScheduler : public Scheduler {
public:
    FakeScheduler(std::shared_ptr<FakeAudio> audio, SongListener& songs)
        : audio_(std::move(audio))
        , songs_(songs)
    {
        checkThread(*audio_);
        std::lock_guard<std::mutex> guard(audio_->mutex);
        number_ = ++audio_->opened;
        working_ = audio_->devicePresent;
        audio_->calls.push_back("open " + std::to_string(number_) + (working_ ? "" : " failed"));
    }
    ~FakeScheduler() override
    {
        checkThread(*audio_);
        std::lock_guard<std::mutex> guard(audio_->mutex);
        audio_->calls.push_back("close " + std::to_string(number_));
    }

    bool notWorking() const override
    {
        checkThread(*audio_);
        std::lock_guard<std::mutex> guard(audio_->mutex);
        return !working_;
    }

    void setSafetyMargin(float seconds) override
    {
        CallGuard call(*audio_);
        log("margin " + std::to_string(seconds).substr(0, 3));
    }

    void update() override
    {
        CallGuard call(*audio_);
        struct Event {
            FakeSample* sample;
            SampleEvent what;
            int magic;
        };
        std::vector<Event> events;
        {
            std::unique_lock<std::mutex> guard(audio_->mutex);
            audio_->unblocked.wait(guard, [this] { return !audio_->blockUpdates; });
            if (number_ != audio_->opened)
                audio_->faults.push_back("update of a replaced scheduler");
            if (!working_)
                return;
            ++audio_->updates;
            audio_->inUpdate = true;
            for (Player& player : players_) {
                if (audio_->loopOnUpdate && player.loop && !player.stopped && player.args.notify)
                    events.push_back(Event { player.sample, SampleEvent::Looped, player.args.magic });
                if (player.stopped || (audio_->endOnUpdate && !player.loop)) {
                    --player.sample->held;
                    player.done = true;
                    if (player.args.notify)
                        events.push_back(Event { player.sample, SampleEvent::Complete, player.args.magic });
                }
            }
            players_.erase(std::remove_if(players_.begin(), players_.end(), [](const Player& p) { return p.done; }),
                players_.end());
            audio_->loopOnUpdate = audio_->endOnUpdate = false;
            if (audio_->failOnUpdate) {
                working_ = false;
                audio_->failOnUpdate = false;
            }
        }
        for (auto it = events.rbegin(); it != events.rend(); ++it)
            songs_.songEvent(*it->sample, it->what, it->magic);
        audio_->inUpdate = false;
    }

    std::unique_ptr<Sample> load(const std::string& file) override
    {
        CallGuard call(*audio_);
        std::lock_guard<std::mutex> guard(audio_->mutex);
        audio_->calls.push_back("load " + file);
        if (audio_->unreadableFiles.count(file) > 0)
            throw FatalError("cannot read " + file);
        return std::make_unique<FakeSample>(audio_, file, audio_->missingFiles.count(file) > 0);
    }

    void loopSample(Sample& sample, const PlayArgs& args) override { start(sample, args, true); }
    void playSample(Sample& sample, const PlayArgs& args) override { start(sample, args, false); }

    void stopSample(Sample* sample, int magic) override
    {
        CallGuard call(*audio_);
        std::lock_guard<std::mutex> guard(audio_->mutex);
        auto* fake = static_cast<FakeSample*>(sample);
        audio_->calls.push_back("stop " + (fake ? fake->name() : std::string("all")) + " " + std::to_string(magic));
        for (Player& player : players_) {
            if (!fake || player.sample == fake)
                player.stopped = true;
        }
    }

private:
    struct Player {
        FakeSample* sample;
        PlayArgs args;
        bool loop;
        bool stopped = false;
        bool done = false;
    };

    void log(std::string line)
    {
        std::lock_guard<std::mutex> guard(audio_->mutex);
        audio_->calls.push_back(std::move(line));
    }

    void start(Sample& sample, const PlayArgs& args, bool loop)
    {
        CallGuard call(*audio_);
        std::lock_guard<std::mutex> guard(audio_->mutex);
        auto& fake = static_cast<FakeSample&>(sample);
        audio_->calls.push_back(describe(loop ? "loop" : "play", fake, args));
        if (fake.emptyFile())
            audio_->faults.push_back("empty sample played: " + fake.name());
        if (!working_ || fake.emptyFile())
            return;
        ++fake.held;
        players_.push_back(Player { &fake, args, loop });
    }

    std::shared_ptr<FakeAudio> audio_;
    SongListener& songs_;
    int number_ = 0;
    bool working_ = true;
    std::vector<Player> players_;
};

} // namespace

std::unique_ptr<Scheduler> FakeSoundLibrary::openScheduler(SongListener& songs)
{
    return std::make_unique<FakeScheduler>(audio_, songs);
}
