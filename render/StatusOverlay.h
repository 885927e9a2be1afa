#pragma once

#include "StatusMessages.h"
#include "TextDrawing.h"
#include "TextFont.h"
#include "ViewRect.h"

#include <string>

namespace cubrava {

class RenderContext;
class WindowService;

// One line of large text centred over the pit: "PAUSED" and the status
// messages. The text grows to just over three quarters of the view's width.
class StatusOverlay {
public:
    // Reads the message lists (raises the Status error when it cannot).
    explicit StatusOverlay(WindowService& display, const std::string& messagesFile = StatusFileName);
    StatusOverlay(const StatusOverlay&) = delete;
    StatusOverlay& operator=(const StatusOverlay&) = delete;

    // Opens the face (raises the font error when it cannot).
    void init(const std::string& fontFile = FontFileName);
    void setViewport(const ViewRect& rect) { viewport_ = rect; }

    // An empty text changes nothing. Returns a number for the message shown,
    // 0 when nothing was shown.
    unsigned show(const std::string& text, const TextColour& colour);
    // A random entry of the list; an empty list changes nothing.
    unsigned showRandom(int listIndex, const TextColour& colour);
    void hide();
    // Hides the message only while it is the one on screen, so a late timer
    // cannot take away a message shown after it.
    void hideMessage(unsigned message);
    void draw(RenderContext& context, const TextDrawing& text = TextDrawing()) const;

    const StatusMessages& messages() const { return messages_; }
    const ViewRect& viewport() const { return viewport_; }
    bool visible() const { return visible_; }
    const std::string& text() const { return text_; }
    const TextColour& colour() const { return colour_; }
    int fontSize() const { return fontSize_; }
    float textWidth() const { return textWidth_; }
    float textHeight() const { return textHeight_; }
    const TextFont& font() const { return font_; }

private:
    WindowService& display_;
    StatusMessages messages_;
    ViewRect viewport_;
    std::string text_;
    TextColour colour_;
    bool visible_ = false;
    unsigned message_ = 0; // counts every message shown
    int fontSize_ = 0;
    float textWidth_ = 0.0f;
    float textHeight_ = 0.0f;
    TextFont font_;
};

} // namespace cubrava
