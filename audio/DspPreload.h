#pragma once

#include <functional>
#include <optional>
#include <string>

namespace cubrava {

// The sound library writes to the OSS device /dev/dsp, which desktops with
// PulseAudio or PipeWire do not have. libpulsedsp (pulseaudio-utils) stands
// in for it, but only when preloaded: by the time the program runs, the C
// library's open is already bound. So the game restarts itself once with it
// in LD_PRELOAD, whoever started it (the menu, a terminal, make run).

// What the decision rests on.
struct DspSituation {
    bool deviceExists = false; // /dev/dsp is there: nothing to emulate
    bool declined = false; // CUBRAVA_NO_SOUND_PRELOAD is set
    std::string preload; // LD_PRELOAD as it is now
    std::optional<std::string> library; // libpulsedsp, if installed
    std::function<bool()> serverAnswers; // asked last, as it runs pactl
};

// The LD_PRELOAD to restart with, or none to go on as is. A preload that
// already holds libpulsedsp (the restart itself, or a player's own) is kept.
std::optional<std::string> dspPreloadFor(const DspSituation& situation);

// At the start of the game, before anything else: restarts the program with
// libpulsedsp preloaded when that gives it sound. Returns only when it does
// not restart (or the restart failed), leaving the environment as it was.
void restartWithDspEmulation(char** argv);

} // namespace cubrava
