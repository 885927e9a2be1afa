#pragma once

#include "render/DisplayService.h"

namespace cubrava {

// The window calls of the editing view: those every view makes, and the
// pointer, hidden while the mouse turns the camera. The view thread only.
class ViewWindowService : public WindowService {
public:
    virtual void setPointerVisible(bool visible) = 0;
};

} // namespace cubrava
