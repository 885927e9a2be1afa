#include "GlVersion.h"

#include <GL/gl.h>

#include <cstdio>

namespace cubrava {

bool glVersionAtLeast(int major, int minor)
{
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    int hasMajor = 0, hasMinor = 0;
    return version && std::sscanf(version, "%d.%d", &hasMajor, &hasMinor) == 2
        && (hasMajor > major || (hasMajor == major && hasMinor >= minor));
}

} // namespace cubrava
