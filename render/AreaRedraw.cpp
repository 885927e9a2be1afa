#include "AreaRedraw.h"

#include <GL/gl.h>

namespace cubrava {

void redrawArea(const ViewRect& area, const std::function<void()>& draw)
{
    if (area.width <= 0 || area.height <= 0)
        return;
    glEnable(GL_SCISSOR_TEST);
    glScissor(area.x, area.y, area.width, area.height);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    draw();
    glDisable(GL_SCISSOR_TEST);
}

} // namespace cubrava
