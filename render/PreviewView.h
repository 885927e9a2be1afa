#pragma once

#include "ContextKey.h"
#include "ViewRect.h"
#include "model/PlayEvents.h"

#include <cstdint>

namespace cubrava {

class PlayField;
class RenderContext;
class WindowService;
struct PieceDef;

// The next piece, turning slowly inside a white frame at the top of the
// right-hand column.
class PreviewView : public PlayListener {
public:
    explicit PreviewView(WindowService& display);
    PreviewView(const PreviewView&) = delete;
    PreviewView& operator=(const PreviewView&) = delete;

    void attach(PlayField& play);
    void setViewport(const ViewRect& rect) { viewport_ = rect; }
    // For a new rendering context: its own light, the angle back to 180.
    void initGl();
    void draw(RenderContext& context);
    // Compiles the piece's list unless the context has it already; draw
    // does it first.
    void prepare(RenderContext& context);

    void onPlayEvent(PlayField& play, PlayEvent event, std::int32_t arg) override;

    // One degree more while turning.
    void turnStep();

    const ViewRect& viewport() const { return viewport_; }
    const PieceDef* piece() const { return piece_; }
    bool turning() const { return turning_; }
    float angle() const { return angle_; }
    // Moves whenever the piece shown changes.
    std::uint64_t pieceVersion() const { return pieceVersion_; }
    double centreX() const { return centreX_; }
    double centreY() const { return centreY_; }
    double centreZ() const { return centreZ_; }

private:
    void takeNextPiece();

    WindowService& display_;
    ContextKey key_;
    PlayField* play_ = nullptr;
    ViewRect viewport_;
    const PieceDef* piece_ = nullptr;
    double centreX_ = 0.0;
    double centreY_ = 0.0;
    double centreZ_ = 0.0;
    float angle_ = 180.0f;
    bool turning_ = false;
    std::uint64_t pieceVersion_ = 1;
};

} // namespace cubrava
