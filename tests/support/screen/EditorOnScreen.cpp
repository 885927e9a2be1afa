#include "EditorOnScreen.h"

#include "Desktop.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>

namespace cubrava::e2e {

std::string boxText(const std::string& caption)
{
    auto box = waitForWindow(caption);
    if (!box)
        return "(no \"" + caption + "\" box)";
    focusWindow(box->id);
    key("ctrl+c");
    std::unique_ptr<FILE, int (*)(FILE*)> probe(popen(CUBRAVA_XPROBE " clipboard 30", "r"), pclose);
    std::string text;
    char buffer[256];
    while (probe && std::fgets(buffer, sizeof buffer, probe.get()))
        text += buffer;
    if (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text;
}

bool closeBox(const std::string& caption)
{
    auto box = waitForWindow(caption);
    if (!box)
        return false;
    focusWindow(box->id);
    key("Return");
    return waitForNoWindow(caption);
}

bool waitForScreen(const std::function<bool(const ScreenShot&)>& condition)
{
    return waitUntil([&] { return condition(ScreenShot::take()); });
}

void EditorWindows::find(const GameProcess& process)
{
    auto foundDialog = waitForWindow(DialogTitle);
    ASSERT_TRUE(foundDialog) << process.standardError();
    dialog = *foundDialog;
    auto foundView = waitForWindow(ViewTitle);
    ASSERT_TRUE(foundView) << process.standardError();
    view = *foundView;
    ASSERT_TRUE(waitForNoWindow(SplashTitle)) << "the splash stayed";
}

Point EditorWindows::centre(const Control& c) const
{
    return { dialog.x + static_cast<int>(std::lround((c.x + c.width / 2.0) * 6 / 4)),
        dialog.y + static_cast<int>(std::lround((c.y + c.height / 2.0) * 13 / 8)) };
}

void EditorWindows::press(const Control& c) const
{
    click(centre(c).x, centre(c).y);
}

bool EditorWindows::enabled(const ScreenShot& shot, const Control& c) const
{
    const int x0 = dialog.x + c.x * 6 / 4 + 4, y0 = dialog.y + c.y * 13 / 8 + 4;
    const int x1 = dialog.x + (c.x + c.width) * 6 / 4 - 4, y1 = dialog.y + (c.y + c.height) * 13 / 8 - 4;
    return shot.count({ x0, y0, x1, y1 }, [](const Rgb& p) { return p.r < 40 && p.g < 40 && p.b < 40; }) > 10;
}

void EditorWindows::addRedCube(int x, int y) const
{
    mouseMove(cell(x, y).x, cell(x, y).y);
    mouseButton(1, true);
    mouseButton(1, false);
    ASSERT_TRUE(waitForScreen([&](const ScreenShot& s) { return enabled(s, AddBlocksButton); }))
        << "selecting a cell did not enable \"Add Block(s)\"";

    press(RedEdit);
    key("ctrl+a");
    typeText("255");
    const Point swatch = centre(Swatch);
    ASSERT_TRUE(waitForScreen([&](const ScreenShot& s) { return near(s.at(swatch.x, swatch.y), 255, 0, 0); }))
        << "the swatch did not turn red";

    press(AddBlocksButton);
    ASSERT_TRUE(waitForScreen([&](const ScreenShot& s) {
        const Rgb p = patch(s, cell(x, y));
        return p.r > p.g + 60 && p.r > p.b + 60;
    })) << "no red cube in the view";
}

void EditorWindows::doneSavingTheLevel() const
{
    press(DoneButton);
    EXPECT_EQ(boxText("Yo!"), "Save changes to current level?");
    EXPECT_TRUE(closeBox("Yo!"));
}

} // namespace cubrava::e2e
