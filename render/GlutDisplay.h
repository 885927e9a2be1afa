#pragma once

#include "DisplayService.h"

namespace cubrava {

// The display service of a GLUT window: redisplay, pointer warp and window
// size through GLUT, display lists of the current OpenGL context. Every call
// belongs to the thread that runs glutMainLoop with that context current.
class GlutDisplay : public DisplayService {
public:
    void postRedisplay() override;
    void warpPointer(int x, int y) override;
    int windowWidth() const override;
    int windowHeight() const override;
    unsigned newList() override;
    void deleteList(unsigned list) override;
    void compileList(unsigned list, const std::function<void()>& content) override;
    void callList(unsigned list) override;
};

} // namespace cubrava
