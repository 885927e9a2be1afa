#pragma once

#include "editor/dialog/DialogControls.h"
#include "editor/dialog/EditingView.h"
#include "editor/dialog/LevelEditorDialog.h"
#include "editor/dialog/NewLevelDialog.h"
#include "editor/dialog/ViewListener.h"

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace cubrava::test {

struct Message {
    std::string caption;
    std::string text;
    MessageIcon icon;
};

// The main dialog's controls as plain values, with scripted answers to its
// questions. Like the real widgets, being written never reports a change.
class FakeControls : public DialogControls {
public:
    std::vector<std::string> lines;
    int selectedLine = -1;
    std::string name, goal, x, y, height, dropLabel;
    int dropSlider = -1;
    std::map<DialogButton, bool> enabled;
    std::map<ColourChannel, std::string> colourTexts;
    std::map<ColourChannel, int> colourSliders;
    int swatch[3] = { -1, -1, -1 };
    std::vector<std::string> textureEntries;
    int textureSelection = -1;
    std::vector<Message> messages;
    std::vector<std::string> questions;
    std::deque<MessageAnswer> answers; // an unexpected question is answered Cancel
    std::deque<std::optional<LevelDef>> newLevels;
    int closed = 0;
    // Runs while a question or the new level dialog waits for its answer, as
    // the toolkit's loop does.
    std::function<void()> whileAsking;

    void insertLevelLine(int line, const std::string& text) override { lines.insert(lines.begin() + line, text); }
    void removeLevelLine(int line) override { lines.erase(lines.begin() + line); }
    void replaceLevelLine(int line, const std::string& text) override { lines.at(line) = text; }
    void selectLevelLine(int line) override { selectedLine = line; }
    void showName(const std::string& text) override { name = text; }
    void showGoal(const std::string& text) override { goal = text; }
    void showDimensions(const std::string& xText, const std::string& yText, const std::string& heightText) override
    {
        x = xText;
        y = yText;
        height = heightText;
    }
    void showDrop(const std::string& text) override { dropLabel = text; }
    void setDropSlider(int position) override { dropSlider = position; }
    void enable(DialogButton button, bool on) override { enabled[button] = on; }
    std::string colourText(ColourChannel channel) const override
    {
        auto it = colourTexts.find(channel);
        return it == colourTexts.end() ? "" : it->second;
    }
    void showColourText(ColourChannel channel, const std::string& text) override { colourTexts[channel] = text; }
    void setColourSlider(ColourChannel channel, int position) override { colourSliders[channel] = position; }
    void paintSwatch(int red, int green, int blue) override
    {
        swatch[0] = red;
        swatch[1] = green;
        swatch[2] = blue;
    }
    void setTextureEntries(const std::vector<std::string>& entries) override { textureEntries = entries; }
    int selectedTexture() const override { return textureSelection; }
    void selectTexture(int entry) override { textureSelection = entry; }
    void showMessage(const std::string& caption, const std::string& text, MessageIcon icon) override
    {
        messages.push_back({ caption, text, icon });
    }
    MessageAnswer askYesNoCancel(const std::string& caption, const std::string& text) override
    {
        questions.push_back(caption + ": " + text);
        if (whileAsking)
            whileAsking();
        if (answers.empty())
            return MessageAnswer::Cancel;
        MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<LevelDef> askNewLevel() override
    {
        if (whileAsking)
            whileAsking();
        if (newLevels.empty())
            return std::nullopt;
        std::optional<LevelDef> level = std::move(newLevels.front());
        newLevels.pop_front();
        return level;
    }
    void close() override { ++closed; }
};

// The editing view as a record of what it was asked, holding the cubes that
// exportBlocks hands back.
class FakeView : public EditingView {
public:
    std::vector<LevelDef> shown; // every setLevel, in order
    std::vector<Material> added; // the brush of every addBlocks
    int removals = 0;
    int replacements = 0; // replaceCubes calls
    std::vector<ViewListener*> listeners;
    LevelDef cubes; // what the view holds now
    // Cells (x, y) of layer 0 that addBlocks fills and removeBlocks empties.
    std::vector<std::pair<int, int>> selected;

    void setLevel(const LevelDef& level) override
    {
        shown.push_back(level);
        cubes = level;
    }
    void addBlocks(const Material& brush) override
    {
        added.push_back(brush);
        emptySelected();
        for (const auto& [x, y] : selected)
            cubes.addBlock(static_cast<std::int8_t>(x), static_cast<std::int8_t>(y), 0, brush);
    }
    void removeBlocks() override
    {
        ++removals;
        emptySelected();
    }
    void replaceCubes(const LevelDef& level) override
    {
        ++replacements;
        cubes = level;
    }
    void exportBlocks(LevelDef& level) override
    {
        level.clearBlocks();
        for (const Block& b : cubes.blocks())
            level.addBlock(b.x, b.y, b.z, *b.material);
    }
    void addListener(ViewListener& listener) override { listeners.push_back(&listener); }

private:
    void emptySelected()
    {
        LevelDef kept(cubes.x, cubes.y, cubes.z);
        for (const Block& b : cubes.blocks())
            if (b.z != 0
                || std::find(selected.begin(), selected.end(), std::pair<int, int>(b.x, b.y)) == selected.end())
                kept.addBlock(b.x, b.y, b.z, *b.material);
        cubes.clearBlocks();
        for (const Block& b : kept.blocks())
            cubes.addBlock(b.x, b.y, b.z, *b.material);
    }
};

class FakeNewLevelControls : public NewLevelControls {
public:
    std::map<NewLevelField, std::string> texts;
    std::vector<Message> messages;
    std::optional<NewLevelField> focused;
    int closed = 0;

    std::string text(NewLevelField field) const override
    {
        auto it = texts.find(field);
        return it == texts.end() ? "" : it->second;
    }
    void showMessage(const std::string& caption, const std::string& text, MessageIcon icon) override
    {
        messages.push_back({ caption, text, icon });
    }
    void focus(NewLevelField field) override { focused = field; }
    void close() override { ++closed; }
};

// Services whose saves land in `saved`, each working while `saveWorks` says
// so, with the game running while `gameRunning` says so, and no textures.
inline DialogServices savingInto(
    std::vector<LevelList>& saved, const bool* saveWorks = nullptr, const bool* gameRunning = nullptr)
{
    return DialogServices { [&saved, saveWorks](const LevelList& list) {
                               saved.push_back(list);
                               return !saveWorks || *saveWorks;
                           },
        [gameRunning] { return gameRunning && *gameRunning; }, "no-such-folder" };
}

} // namespace cubrava::test
