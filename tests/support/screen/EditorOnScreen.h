#pragma once

// Driving the running editor's two windows as a designer does: clicks on the
// dialog's controls by their dialog units, a cell picked in the view, boxes
// read with Ctrl+C and answered. Every wait is for a condition, with a deadline.

#include "platform/WindowLookup.h"
#include "support/screen/GameProcess.h"
#include "support/screen/ScreenShot.h"
#include "support/screen/ViewProjection.h"

#include <functional>
#include <string>

namespace cubrava::e2e {

inline const char* const ViewTitle = "Cubrava World Editor";
inline const char* const DialogTitle = "Cubrava Level Editor";
inline const char* const SplashTitle = "Cubrava splash";

// A control of the dialog, in its dialog units.
struct Control {
    int x, y, width, height;
};
constexpr Control NewButton { 84, 118, 37, 14 };
constexpr Control RedEdit { 24, 161, 22, 14 };
constexpr Control Swatch { 165, 159, 31, 28 };
constexpr Control AddBlocksButton { 148, 193, 64, 14 };
constexpr Control DoneButton { 127, 245, 43, 14 };
constexpr Control CancelButton { 177, 245, 43, 14 };

// What the box so captioned says, copied from it with Ctrl+C (read back by the
// test tool xprobe, whose path the build gives as CUBRAVA_XPROBE).
std::string boxText(const std::string& caption);
// Answers the box so captioned with its default button.
bool closeBox(const std::string& caption);
bool waitForScreen(const std::function<bool(const ScreenShot&)>& condition);

// The editor's windows once it is up, on a screen `screenWidth` wide, showing
// a level with the given pit.
class EditorWindows {
public:
    EditorWindows(int screenWidth, PitSize pit)
        : viewSide_(screenWidth * 6 / 10)
        , pit_(pit)
    {
    }

    // Waits for both windows and for the splash, which stands over them and
    // takes their clicks until it closes, to go.
    void find(const GameProcess& process);

    Point centre(const Control& c) const;
    void press(const Control& c) const;
    // Black label text, which a disabled button draws grey.
    bool enabled(const ScreenShot& shot, const Control& c) const;
    Point cell(int x, int y) const { return cellTop(view, viewSide_, pit_, x, y, 0); }
    int viewSide() const { return viewSide_; }

    // Selects the cell of the bottom layer, types red into the brush and
    // adds a cube there; returns once the view shows it.
    void addRedCube(int x, int y) const;
    // Done, answering the question about the modified level with Yes.
    void doneSavingTheLevel() const;

    WindowInfo view {};
    WindowInfo dialog {};

private:
    int viewSide_;
    PitSize pit_;
};

} // namespace cubrava::e2e
