#pragma once

#include "data/PieceSet.h"

// The piece set lives as long as the process, so a test case that fills it
// changes what the next case in the same process sees. A guard empties it
// when it is made and again when it goes, so a test binary passes whole as
// well as one case per process.
// Declare it before anything that uses that state: a PlayField refers to the
// piece set's materials and must be gone before the set is emptied.
class ProcessStateGuard {
public:
    ProcessStateGuard() { reset(); }
    ~ProcessStateGuard() { reset(); }
    ProcessStateGuard(const ProcessStateGuard&) = delete;
    ProcessStateGuard& operator=(const ProcessStateGuard&) = delete;

private:
    static void reset() { cubrava::resetPieceSet(); }
};
