#pragma once

#include <FL/Fl_Box.H>

namespace cubrava {

// An etched frame around a group of controls, its title set into the top
// line at the left.
class GroupFrame : public Fl_Box {
public:
    GroupFrame(int x, int y, int w, int h, const char* title);

protected:
    void draw() override;
};

} // namespace cubrava
