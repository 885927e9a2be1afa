#include "LevelWriter.h"

#include "PlayerFolder.h"

#include <tinyxml.h>

#include <cstdio>

namespace cubrava {

const char* const LevelsSaveErrorMessage = "There was an error saving the Levels configuration file.\n"
                                           "You may want to reinstall the game before playing again.";

namespace {

// trunc(channel x 255), kept to a byte so a colour is always six digits.
int channelByte(float channel)
{
    const float scaled = channel * 255.0f;
    if (!(scaled > 0.0f))
        return 0;
    if (scaled >= 255.0f)
        return 255;
    return static_cast<int>(scaled);
}

std::string colourText(const Material& material)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02X%02X%02X", channelByte(material.red), channelByte(material.green),
        channelByte(material.blue));
    return text;
}

TiXmlElement point(const Block& block)
{
    TiXmlElement element("point");
    element.SetAttribute("x", block.x);
    element.SetAttribute("y", block.y);
    element.SetAttribute("z", block.z);
    const Material* material = block.material;
    element.SetAttribute("color", material ? colourText(*material) : "000000");
    if (material && !material->textureName.empty())
        element.SetAttribute("texture", material->textureName);
    return element;
}

} // namespace

std::string printLevels(const LevelList& levels)
{
    TiXmlDocument document;
    TiXmlNode* root = document.InsertEndChild(TiXmlElement("levels"));
    for (const LevelDef& level : levels) {
        TiXmlElement* element = root->InsertEndChild(TiXmlElement("level"))->ToElement();
        element->SetAttribute("name", level.name);
        element->SetAttribute("x", level.x);
        element->SetAttribute("y", level.y);
        element->SetAttribute("z", level.z);
        element->SetAttribute("goal", level.goal);
        element->SetAttribute("drop", level.drop);
        TiXmlNode* blocks = element->InsertEndChild(TiXmlElement("blocks"));
        for (const Block& block : level.blocks())
            blocks->InsertEndChild(point(block));
    }
    TiXmlPrinter printer;
    printer.SetIndent("    ");
    printer.SetLineBreak("\n");
    document.Accept(&printer);
    return printer.Str();
}

bool saveLevels(const LevelList& levels, const std::string& path, const FileCalls& calls)
{
    const std::string text = printLevels(levels);
    // The programs work in the player's folder, which another program's
    // start may be refreshing.
    const PlayerFolderLock lock(".");
    return replaceFile(path, text, calls);
}

} // namespace cubrava
