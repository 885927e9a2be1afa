#pragma once

#include <FL/Fl_Input.H>

#include <string>

namespace cubrava {

// A one-line edit for small numbers: it takes digits only (typed or pasted),
// at most maxDigits of them, and shows its text against the right edge. The
// undo and redo keys it leaves to its window.
class NumberInput : public Fl_Input {
public:
    NumberInput(int x, int y, int w, int h, int maxDigits);

    // Sets the text without reporting a change.
    void show(const std::string& text);
    // The widget's own show() stays reachable beside the one above.
    using Fl_Input::show;

    int handle(int event) override;

protected:
    void draw() override;

private:
    // How far right the text stands from where the edit would put it.
    int shift() const;
};

} // namespace cubrava
