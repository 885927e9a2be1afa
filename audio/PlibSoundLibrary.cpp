#include "PlibSoundLibrary.h"

#include <plib/sl.h>

#include <atomic>

namespace cubrava {

namespace {

constexpr int OutputRate = 11025;

// The library's samples with our interface, so a notification's slSample
// leads back to the Sample the Dj knows.
class PlibSample final : public Sample, public slSample {
public:
    bool empty() const override { return getLength() <= 0 || getBuffer() == nullptr; }
    int playCount() const override { return getPlayCount(); }
};

std::atomic<SongListener*> currentListener { nullptr };

void deliverSongEvent(slSample* sample, slEvent event, int magic)
{
    SongListener* listener = currentListener.load();
    if (!listener || !sample)
        return;
    SampleEvent what = event == SL_EVENT_COMPLETE ? SampleEvent::Complete
        : event == SL_EVENT_LOOPED                ? SampleEvent::Looped
                                                  : SampleEvent::Preempted;
    listener->songEvent(*static_cast<PlibSample*>(sample), what, magic);
}

slPreemptMode toPlib(Preempt mode)
{
    return mode == Preempt::Continue ? SL_SAMPLE_CONTINUE : SL_SAMPLE_ABORT;
}

class PlibScheduler final : public Scheduler {
public:
    explicit PlibScheduler(SongListener& songs)
        : scheduler_(OutputRate)
        , listener_(&songs)
    {
        currentListener.store(listener_);
    }

    ~PlibScheduler() override
    {
        SongListener* mine = listener_;
        currentListener.compare_exchange_strong(mine, nullptr);
    }

    bool notWorking() const override { return scheduler_.notWorking() != 0; }

    void setSafetyMargin(float seconds) override { scheduler_.setSafetyMargin(seconds); }

    void update() override { scheduler_.update(); }

    std::unique_ptr<Sample> load(const std::string& file) override
    {
        auto sample = std::make_unique<PlibSample>();
        // The loader reads the last four characters for the extension, even
        // of a shorter name.
        if (file.size() < 4)
            return sample;
        sample->loadFile(file.c_str());
        if (!sample->empty())
            sample->autoMatch(notWorking() ? nullptr : &scheduler_);
        return sample;
    }

    // An empty sample would hold a mixer slot forever and never complete.
    void loopSample(Sample& sample, const PlayArgs& args) override
    {
        if (!sample.empty())
            scheduler_.loopSample(&plib(sample), args.priority, toPlib(args.preempt), args.magic,
                args.notify ? deliverSongEvent : nullptr);
    }

    void playSample(Sample& sample, const PlayArgs& args) override
    {
        if (!sample.empty())
            scheduler_.playSample(&plib(sample), args.priority, toPlib(args.preempt), args.magic,
                args.notify ? deliverSongEvent : nullptr);
    }

    void stopSample(Sample* sample, int magic) override
    {
        scheduler_.stopSample(sample ? &plib(*sample) : nullptr, magic);
    }

private:
    static PlibSample& plib(Sample& sample) { return static_cast<PlibSample&>(sample); }

    slScheduler scheduler_;
    SongListener* listener_;
};

} // namespace

std::unique_ptr<Scheduler> PlibSoundLibrary::openScheduler(SongListener& songs)
{
    return std::make_unique<PlibScheduler>(songs);
}

} // namespace cubrava
