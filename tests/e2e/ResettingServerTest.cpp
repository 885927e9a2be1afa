// Both programs started again and again on an X server that resets whenever
// its last client leaves, as Xvfb without -noreset or a kiosk's xinit does
// (scripts/with-xvfb --reset). This test holds no connection of its own, so
// each program is the server's only client, and each start follows the end
// of the one before: every start must reach its first frame.

#include "support/screen/Desktop.h"
#include "support/screen/GameProcess.h"

#include <gtest/gtest.h>

using namespace cubrava::e2e;

TEST(ResettingServer, EveryStartOfBothProgramsReachesItsFirstFrame)
{
    constexpr int Starts = 20;
    for (const char* program : { "cubrava", "cubrava-editor" }) {
        SCOPED_TRACE(program);
        int reached = 0;
        for (int start = 1; start <= Starts; ++start) {
            RunFolder folder;
            ProcessStart how { folder.program(program), {}, folder.path(), folder.path(),
                { { "LD_PRELOAD", CUBRAVA_FRAME_COUNTER },
                    { "CUBRAVA_FRAME_COUNT_FILE", (folder.path() / "frames.txt").string() } },
                // The game's check for a sound server runs as on a desktop.
                { "CUBRAVA_NO_SOUND_PRELOAD" }, {} };
            GameProcess process(how);
            waitUntil([&] { return process.frames() > 0 || !process.running(); });
            if (process.frames() > 0)
                ++reached;
            else
                ADD_FAILURE() << "start " << start << " showed no frame: " << process.standardError();
        }
        EXPECT_EQ(reached, Starts);
    }
}
