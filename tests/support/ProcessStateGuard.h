#pragma once

#include "data/TextureCache.h"

// The texture loader and the texture cache live as long as the process, so a
// test case that fills them changes what the next case in the same process
// sees. A guard empties them when it is made and again when it goes, so a
// test binary passes whole as well as one case per process. Declare it
// before anything that uses that state.
class ProcessStateGuard {
public:
    ProcessStateGuard() { reset(); }
    ~ProcessStateGuard() { reset(); }
    ProcessStateGuard(const ProcessStateGuard&) = delete;
    ProcessStateGuard& operator=(const ProcessStateGuard&) = delete;

private:
    static void reset() { cubrava::resetTextureCache(); }
};
