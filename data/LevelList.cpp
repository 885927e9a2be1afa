#include "LevelList.h"

#include "FatalError.h"
#include "XmlDocument.h"
#include "XmlRead.h"

#include <tinyxml.h>

#include <utility>

namespace cubrava {

const char* const LevelsFileName = "Config/Levels.dat";
const char* const LevelsErrorMessage = "There was an error reading the Levels configuration file.\n"
                                       "You may want to reinstall the game before playing again.";

namespace {

[[noreturn]] void fail()
{
    throw FatalError(LevelsErrorMessage);
}

// The grid holds z + 8 layers in a signed byte; larger heights overflow it.
constexpr int MaxLevelHeight = 119;

LevelDef readLevel(const TiXmlElement& element)
{
    LevelDef level(lowByte(atolRule(element.Attribute("x"))), lowByte(atolRule(element.Attribute("y"))),
        lowByte(atolRule(element.Attribute("z"))));
    if (level.x < 1 || level.y < 1 || level.z < 1 || level.z > MaxLevelHeight)
        fail();
    level.goal = lowByte(atolRule(element.Attribute("goal")));
    level.drop = lowWord(atolRule(element.Attribute("drop")));
    const char* name = element.Attribute("name");
    level.name = name ? name : "";

    const TiXmlElement* blocks = element.FirstChildElement("blocks");
    if (!blocks)
        return level;
    for (const TiXmlElement* b = blocks->FirstChildElement(); b; b = b->NextSiblingElement()) {
        const char* x = b->Attribute("x");
        const char* y = b->Attribute("y");
        const char* z = b->Attribute("z");
        if (!x || !y || !z)
            continue;
        level.addBlock(lowByte(atolRule(x)), lowByte(atolRule(y)), lowByte(atolRule(z)), readMaterial(*b));
    }
    return level;
}

} // namespace

void readLevelsFrom(const std::string& path, LevelList& levels)
{
    TiXmlDocument document;
    const TiXmlElement& root = loadConfigDocument(path, document, LevelsErrorMessage);
    const TiXmlElement* level = root.FirstChildElement();
    if (!level)
        fail();
    LevelList read;
    for (; level; level = level->NextSiblingElement())
        read.push_back(readLevel(*level));
    for (LevelDef& l : read)
        levels.push_back(std::move(l));
}

void readLevels(LevelList& levels)
{
    readLevelsFrom(LevelsFileName, levels);
}

} // namespace cubrava
