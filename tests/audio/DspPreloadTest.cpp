#include "audio/DspPreload.h"

#include <gtest/gtest.h>

using namespace cubrava;

namespace {

const std::string Library = "/usr/lib/x86_64-linux-gnu/pulseaudio/libpulsedsp.so";

// A desktop with a sound server and no /dev/dsp: the case the restart is for.
// It counts how often the server is asked, since asking runs a program.
struct Desktop {
    int asked = 0;
    bool answers = true;

    DspSituation situation()
    {
        DspSituation s;
        s.library = Library;
        s.serverAnswers = [this] {
            ++asked;
            return answers;
        };
        return s;
    }
};

} // namespace

TEST(DspPreload, TheGameRestartsWithTheEmulationWhereItGivesSound)
{
    Desktop desktop;
    EXPECT_EQ(dspPreloadFor(desktop.situation()), Library);

    // Test shims and the like stay, after the emulation.
    DspSituation shimmed = desktop.situation();
    shimmed.preload = "/tmp/shim.so";
    EXPECT_EQ(dspPreloadFor(shimmed), Library + " /tmp/shim.so");
    EXPECT_EQ(desktop.asked, 2);
}

TEST(DspPreload, NoRestartWhereItWouldNotHelpOrHasHappened)
{
    Desktop desktop;

    DspSituation device = desktop.situation();
    device.deviceExists = true;
    EXPECT_EQ(dspPreloadFor(device), std::nullopt);

    DspSituation declined = desktop.situation();
    declined.declined = true;
    EXPECT_EQ(dspPreloadFor(declined), std::nullopt);

    DspSituation missing = desktop.situation();
    missing.library.reset();
    EXPECT_EQ(dspPreloadFor(missing), std::nullopt);

    // The restarted program itself, or a player who preloads it by hand: a
    // second restart would never end.
    DspSituation restarted = desktop.situation();
    restarted.preload = "/tmp/shim.so /usr/lib/pulseaudio/libpulsedsp.so";
    EXPECT_EQ(dspPreloadFor(restarted), std::nullopt);
    EXPECT_EQ(desktop.asked, 0) << "the server is asked only when all else says yes";

    desktop.answers = false;
    EXPECT_EQ(dspPreloadFor(desktop.situation()), std::nullopt);
    EXPECT_EQ(desktop.asked, 1);
}
