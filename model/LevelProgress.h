#pragma once

#include "PlayEvents.h"
#include "data/LevelDef.h"

#include <cstdint>
#include <functional>

namespace cubrava {

// Counts cleared layers and completes the level when the goal is reached:
// it first lets the shell move its level index on, then stops play.
class LevelProgress : public PlayListener {
public:
    explicit LevelProgress(std::function<void()> goalReached = {});

    void setLevel(const LevelDef& level) { level_ = &level; }
    const LevelDef* level() const { return level_; }
    std::uint32_t lines() const { return lines_; }

    void onPlayEvent(PlayField& play, PlayEvent event, std::int32_t arg) override;

private:
    std::function<void()> goalReached_;
    const LevelDef* level_ = nullptr;
    std::uint32_t lines_ = 0;
};

} // namespace cubrava
