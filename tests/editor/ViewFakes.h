#pragma once

#include "editor/CellPicker.h"
#include "editor/EditorView.h"
#include "editor/PickNames.h"
#include "editor/ViewListener.h"
#include "editor/ViewWindowService.h"
#include "model/PlayField.h"
#include "render/RedisplayRequest.h"
#include "render/SceneFakes.h"

#include <optional>
#include <utility>
#include <vector>

// The view thread's window calls, counted.
struct FakeViewWindow : cubrava::ViewWindowService {
    int redisplays = 0;
    int warps = 0;
    bool pointerVisible = true;

    void postRedisplay() override { ++redisplays; }
    void warpPointer(int, int) override { ++warps; }
    int windowWidth() const override { return 768; }
    int windowHeight() const override { return 768; }
    void setPointerVisible(bool visible) override { pointerVisible = visible; }
};

// Stands in for selection-mode picking: the window point's x is the pick
// name (so a test points at a cell by its name), a negative x is no cell.
struct NamePicker : cubrava::CellPicker {
    int calls = 0;
    int lastLayer = -1;

    int cellAt(const cubrava::PickScene& scene, int x, int) override
    {
        ++calls;
        lastLayer = scene.layer;
        return x < 0 ? -1 : x;
    }
};

// What the dialog would hear.
struct RecordingListener : cubrava::ViewListener {
    std::vector<std::pair<bool, bool>> selections; // noSelection, anyOccupied
    std::vector<std::optional<cubrava::Material>> picks;

    void selectionChanged(bool noSelection, bool anyOccupied) override
    {
        selections.emplace_back(noSelection, anyOccupied);
    }
    void blockPicked(const std::optional<cubrava::Material>& material) override { picks.push_back(material); }
};

inline cubrava::Material colour(float r, float g, float b, const std::string& texture = "")
{
    cubrava::Material m;
    m.red = r;
    m.green = g;
    m.blue = b;
    m.textureName = texture;
    return m;
}

// A view on fakes, in a scratch folder with a piece file, so PlayFields can be built.
struct ViewRig {
    ProcessStateGuard guard;
    ScratchDir dir;
    FakeViewWindow window;
    FakeClock clock;
    int wakes = 0;
    cubrava::RedisplayRequest redisplay { [this] { return ++wakes, true; } };
    NamePicker picker;
    cubrava::EditorView view { window, clock, redisplay, picker };
    RecordingListener listener;
    int depth = 1;

    explicit ViewRig(const cubrava::LevelDef& level)
    {
        writePieces(dir);
        view.addListener(listener);
        show(level);
    }

    void show(const cubrava::LevelDef& level)
    {
        depth = level.y;
        view.setLevel(level);
        redisplay.take();
    }

    // Window points the fake picker reads as cells.
    int at(int x, int y) const { return cubrava::pickName(x, y, depth); }
    static constexpr int NoCell = -1;

    void click(int x, int y)
    {
        view.mouseButton(0, 0, at(x, y), 0);
        view.mouseButton(0, 1, at(x, y), 0);
    }
    void drag(int x1, int y1, int x2, int y2)
    {
        view.mouseButton(0, 0, at(x1, y1), 0);
        view.mouseDrag(at(x2, y2), 0);
        view.mouseButton(0, 1, at(x2, y2), 0);
    }
    void rightClick(int x, int y)
    {
        view.mouseButton(2, 0, at(x, y), 0);
        view.mouseButton(2, 1, at(x, y), 0);
    }
};
