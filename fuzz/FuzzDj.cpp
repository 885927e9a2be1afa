// Config/DJ.dat: read by the music player, which then chooses songs from its
// playlists through a game's events and the song keys. The sound library is
// a silent stand-in: the files named are never opened.
#include "FuzzSupport.h"
#include "audio/Dj.h"
#include "data/LevelDef.h"
#include "model/PlayField.h"

#include <cstddef>
#include <cstdint>
#include <memory>

using namespace cubrava;

namespace {

class SilentSample : public Sample {
public:
    bool empty() const override { return false; }
    int playCount() const override { return 0; }
};

class SilentScheduler : public Scheduler {
public:
    bool notWorking() const override { return false; }
    void setSafetyMargin(float) override { }
    void update() override { }
    std::unique_ptr<Sample> load(const std::string&) override { return std::make_unique<SilentSample>(); }
    void loopSample(Sample&, const PlayArgs&) override { }
    void playSample(Sample&, const PlayArgs&) override { }
    void stopSample(Sample*, int) override { }
};

class SilentLibrary : public SoundLibrary {
public:
    std::unique_ptr<Scheduler> openScheduler(SongListener&) override { return std::make_unique<SilentScheduler>(); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::useAsFile(DjConfigFileName, data, size, [] {
        Dj dj(std::make_unique<SilentLibrary>(), DjTiming {});
        dj.stopThread(); // no playback thread: the songs are chosen, none is played
        LevelDef level(4, 4, 6);
        PlayField field(level, fuzz::shippedPieces());
        for (PlayEvent event : { PlayEvent::Started, PlayEvent::PieceRotated, PlayEvent::GameOver, PlayEvent::Started,
                 PlayEvent::Stopped })
            dj.onPlayEvent(field, event, 0);
        for (SongStep step :
            { SongStep::Next, SongStep::Previous, SongStep::Previous, SongStep::Again, SongStep::Next })
            dj.changeSong(step);
        (void)dj.songIndex();
    });
    return 0;
}
