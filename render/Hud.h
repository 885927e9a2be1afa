#pragma once

#include "ContextKey.h"
#include "MenuActions.h"
#include "MenuButton.h"
#include "PointerPlace.h"
#include "TextDrawing.h"
#include "TextFont.h"
#include "ViewRect.h"
#include "data/LevelDef.h"
#include "model/LevelProgress.h"
#include "platform/Input.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace cubrava {

class PauseButton;
class DisplayModeButton;
class RenderContext;
class WindowService;

extern const char* const PanelTextureFile;

// Panel units a number is moved right so that it ends where the widest of the
// numbers ends (one panel unit is a fifth of the panel height).
float numberShift(int width, int widest, int panelHeight);

// The side panel under the next-piece preview: level name (scrolling through a
// stencilled band), goal, cleared layers and the pause menu. It hosts the
// level's LevelProgress, so the Game registers it as a PlayListener.
class Hud : public PlayListener {
public:
    // Opens the menu font (raises the font error when it cannot). goalReached
    // runs when the level's goal is reached, before play stops.
    Hud(WindowService& display, MenuActions& actions, std::function<void()> goalReached = {},
        std::string fontFile = FontFileName);
    ~Hud() override;
    Hud(const Hud&) = delete;
    Hud& operator=(const Hud&) = delete;

    // Opens the Hud's own face.
    void initFont();
    // Rendering state of a new context: the stencil clear value and the band
    // mask.
    void initGl();

    void setViewport(const ViewRect& rect);
    void showLevel(const LevelDef& level);
    // The panel image is loaded into the context at its first draw there.
    void draw(RenderContext& context, const TextDrawing& text = TextDrawing());
    // One idle step of the scrolling name.
    void scrollStep();

    // The menu.
    void setPaused(bool paused);
    void setDisplayModeLabel(bool fullScreen);
    // Window coordinates, origin top left.
    void pointerMoved(int x, int y);
    // A menu button acts when the left mouse button is released over it.
    void buttonChanged(MouseButton button, ButtonState state, int x, int y);
    // Where the pointer is over a new display, or nothing when that is not
    // known. The lit button follows it, also through the layout that comes.
    void setPointer(const std::optional<PointerPlace>& place);

    void onPlayEvent(PlayField& play, PlayEvent event, std::int32_t arg) override;

    const ViewRect& viewport() const { return viewport_; }
    const LevelDef* level() const { return level_; }
    std::uint32_t lines() const { return progress_.lines(); }
    const TextFont& font() const { return font_; }
    const TextFont& menuFont() const { return menuFont_; }
    const std::vector<std::unique_ptr<MenuButton>>& buttons() const { return buttons_; }
    int bandBottom() const { return bandBottom_; }
    int bandHeight() const { return bandHeight_; }
    float bandLeft() const { return bandLeft_; }
    float bandRight() const { return bandRight_; }
    float nameWidth() const { return nameWidth_; }
    float scroll() const { return scroll_; }
    // The window area the scrolling name may touch: its band, and as far
    // above and below it as the letters of its font reach, across the panel.
    ViewRect nameArea() const;
    // Moves whenever anything the panel shows changes, the name's scrolling
    // aside: that changes only the name's band.
    std::uint64_t changes() const { return changes_; }

private:
    // The one button the pointer is over. Where boxes overlap, the one whose
    // text row is nearest; on a tie the upper one. None: nullptr.
    MenuButton* buttonAt(int x, int y) const;
    // Lights the button under the known pointer while the menu is active,
    // and no other.
    void relight();
    void measureName();
    void writeBandMask();
    void drawPanel(RenderContext& context) const;
    void drawName(RenderContext& context, const TextDrawing& text) const;
    void drawNumbers(RenderContext& context, const TextDrawing& text) const;

    WindowService& display_;
    ContextKey key_;
    std::string fontFile_;
    LevelProgress progress_;
    ViewRect viewport_;
    const LevelDef* level_ = nullptr;
    TextFont font_;
    TextFont menuFont_; // shared by the buttons
    std::vector<std::unique_ptr<MenuButton>> buttons_;
    PauseButton* pauseButton_ = nullptr;
    DisplayModeButton* displayModeButton_ = nullptr;
    int bandBottom_ = 0;
    int bandHeight_ = 0;
    float bandLeft_ = 0.0f;
    float bandRight_ = 1.0f;
    float nameWidth_ = 0.0f;
    float scroll_ = 0.0f;
    bool maskPending_ = false;
    bool menuActive_ = true; // the game starts paused
    std::optional<PointerPlace> pointer_;
    std::uint64_t changes_ = 0;
};

} // namespace cubrava
