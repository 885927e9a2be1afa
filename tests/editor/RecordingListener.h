#pragma once

#include "editor/dialog/ViewListener.h"

#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

// What the view reported, in order: the selections and picks as values, and
// every report in words; and whether any came on another thread than the one
// that made the listener.
struct RecordingListener : cubrava::ViewListener {
    std::vector<std::pair<bool, bool>> selections; // noSelection, anyOccupied
    std::vector<std::optional<cubrava::Material>> picks;
    std::vector<std::string> reports;
    bool toldOnAnotherThread = false;

    void selectionChanged(bool noSelection, bool anyOccupied) override
    {
        selections.emplace_back(noSelection, anyOccupied);
        told(std::string("selection ") + (noSelection ? "none" : "some") + (anyOccupied ? " occupied" : ""));
    }

    void blockPicked(const std::optional<cubrava::Material>& material) override
    {
        picks.push_back(material);
        told(material ? "picked " + material->textureName : "picked nothing");
    }

    std::vector<cubrava::HistoryStep> history;
    void historyRequested(cubrava::HistoryStep step) override
    {
        history.push_back(step);
        told(step == cubrava::HistoryStep::Undo ? "undo" : "redo");
    }

private:
    void told(const std::string& report)
    {
        toldOnAnotherThread = toldOnAnotherThread || std::this_thread::get_id() != madeOn_;
        reports.push_back(report);
    }

    std::thread::id madeOn_ = std::this_thread::get_id();
};
