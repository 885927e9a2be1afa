#pragma once

#include "ViewRect.h"
#include "model/PlayEvents.h"

#include <cstdint>

namespace cubrava {

class DisplayService;
class PlayField;
struct PieceDef;

// The next piece, turning slowly inside a white frame at the top of the
// right-hand column.
class PreviewView : public PlayListener {
public:
    explicit PreviewView(DisplayService& display);
    PreviewView(const PreviewView&) = delete;
    PreviewView& operator=(const PreviewView&) = delete;

    void attach(PlayField& play);
    void setViewport(const ViewRect& rect) { viewport_ = rect; }
    // For a new rendering context: its own light, the angle back to 180, no list.
    void initGl();
    void draw();
    // Deletes the list while its rendering context still exists.
    void releaseList();

    void onPlayEvent(PlayField& play, PlayEvent event, std::int32_t arg) override;

    // One degree more while turning.
    void turnStep();

    const ViewRect& viewport() const { return viewport_; }
    const PieceDef* piece() const { return piece_; }
    bool turning() const { return turning_; }
    float angle() const { return angle_; }
    unsigned list() const { return list_; }
    double centreX() const { return centreX_; }
    double centreY() const { return centreY_; }
    double centreZ() const { return centreZ_; }

private:
    void takeNextPiece();
    void compileList();

    DisplayService& display_;
    PlayField* play_ = nullptr;
    ViewRect viewport_;
    const PieceDef* piece_ = nullptr;
    double centreX_ = 0.0;
    double centreY_ = 0.0;
    double centreZ_ = 0.0;
    float angle_ = 180.0f;
    bool turning_ = false;
    unsigned list_ = 0;
};

} // namespace cubrava
