#pragma once

#include "RecordingListener.h"
#include "editor/view/EditorView.h"
#include "editor/view/PickNames.h"
#include "editor/view/ViewWindowService.h"
#include "render/RedisplayRequest.h"
#include "support/FakeClock.h"
#include "support/LevelMaking.h"

#include <optional>
#include <utility>
#include <vector>

// The view thread's window calls, counted.
struct FakeViewWindow : cubrava::ViewWindowService {
    int redisplays = 0, warps = 0;
    bool pointerVisible = true;
    void postRedisplay() override { ++redisplays; }
    void warpPointer(int, int) override { ++warps; }
    int windowWidth() const override { return 768; }
    int windowHeight() const override { return 768; }
    void setPointerVisible(bool visible) override { pointerVisible = visible; }
};

// Stands in for selection-mode picking: a window point's x is the pick name
// of the cell there, a negative x no cell.
struct NamePicker : cubrava::CellPicker {
    int calls = 0, lastLayer = -1;
    int cellAt(const cubrava::PickScene& scene, int x, int) override
    {
        ++calls;
        lastLayer = scene.layer;
        return x < 0 ? -1 : x;
    }
};

using cubrava::test::colour;

// A view on fakes, showing a level.
struct ViewRig {
    static constexpr int NoCell = -1;
    FakeViewWindow window;
    cubrava::test::FakeClock clock;
    int wakes = 0;
    cubrava::RedisplayRequest redisplay { [this] { return ++wakes, true; } };
    NamePicker picker;
    cubrava::EditorView view { window, clock, redisplay, picker };
    RecordingListener listener;
    int depth = 1;

    explicit ViewRig(const cubrava::LevelDef& level)
    {
        view.addListener(listener);
        depth = level.y;
        view.setLevel(level);
        redisplay.take();
    }

    // The window point the picker reads as cell (x, y).
    int at(int x, int y) const { return cubrava::pickName(x, y, depth); }
    void press(int point, cubrava::MouseButton button = cubrava::MouseButton::Left)
    {
        view.mouseButton(button, cubrava::ButtonState::Down, point, 0);
    }
    void release(int point, cubrava::MouseButton button = cubrava::MouseButton::Left)
    {
        view.mouseButton(button, cubrava::ButtonState::Up, point, 0);
    }
    void click(int x, int y, cubrava::MouseButton button = cubrava::MouseButton::Left)
    {
        press(at(x, y), button);
        release(at(x, y), button);
    }
    void drag(int x1, int y1, int x2, int y2)
    {
        press(at(x1, y1));
        view.mouseDrag(at(x2, y2), 0);
        release(at(x2, y2));
    }
};
