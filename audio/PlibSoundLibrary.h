#pragma once

#include "SoundLibrary.h"

namespace cubrava {

// PLIB's sound library on its default OSS device (/dev/dsp on Linux) at
// 11025 Hz, mono, 8 bits. Only one scheduler at a time may exist: the
// library's notifications carry no context, so they go to the listener of
// the scheduler opened last.
class PlibSoundLibrary : public SoundLibrary {
public:
    std::unique_ptr<Scheduler> openScheduler(SongListener& songs) override;
};

} // namespace cubrava
