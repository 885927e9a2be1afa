#include "audio/PlibSoundLibrary.h"
#include "ToneWav.h"
#include "audio/Dj.h"
#include "data/LevelDef.h"
#include "model/PlayField.h"
#include "support/PieceMaking.h"
#include "support/ScratchDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace cubrava;

namespace {

class NoListener : public SongListener {
public:
    void songEvent(Sample&, SampleEvent, int) override { }
};

} // namespace

TEST(PlibSound, LoadsWavFilesInAnyCaseAndGivesEmptySamplesForMissingOrShortNames)
{
    ScratchDir dir;
    writeToneWav("tone.wav", 440, 0.5, 0.4);
    std::filesystem::copy_file("tone.wav", "TONE.WAV");
    NoListener listener;
    PlibSoundLibrary library;
    auto scheduler = library.openScheduler(listener);
    EXPECT_FALSE(scheduler->load("tone.wav")->empty());
    EXPECT_FALSE(scheduler->load("TONE.WAV")->empty());
    EXPECT_TRUE(scheduler->load("missing.wav")->empty());
    for (const char* shortName : { "", "a", "x.w" })
        EXPECT_TRUE(scheduler->load(shortName)->empty()) << shortName;
}

// This machine has no /dev/dsp; the game must still run, silently.
TEST(PlibSound, DjWithoutADeviceRunsSilentlyAndNeverRaisesItsError)
{
    if (std::filesystem::exists("/dev/dsp"))
        GTEST_SKIP() << "this machine has /dev/dsp";
    ScratchDir dir;
    writeToneWav("Sounds/Rotate.wav", 880, 0.1, 0.4);
    writeToneWav("Sounds/Land.wav", 220, 0.1, 0.4);
    writeToneWav("Music/one.wav", 440, 0.5, 0.4);
    dir.write("Config/DJ.dat",
        "<dj><soundtracks><song>Music/one.wav</song></soundtracks>"
        "<losesongs><song>Music/one.wav</song></losesongs></dj>");
    LevelDef level(4, 4, 6);
    const PieceSet pieces = test::piecesOf({ test::cube });
    PlayField field(level, pieces);

    // Waiting for the thread's first pass (the 6 s limit) would raise the DJ
    // error, so no throw also means no wait for a device that is not there.
    {
        Dj dj;
        field.addListener(dj);
        EXPECT_NO_THROW({
            dj.startThread();
            field.start();
            for (PlayEvent e : { PlayEvent::PieceRotated, PlayEvent::PieceLanded, PlayEvent::LayerCleared,
                     PlayEvent::GameOver, PlayEvent::Started })
                dj.onPlayEvent(field, e, 0);
            dj.changeSong(SongStep::Previous);
            dj.stopThread();
        });
    }
}
