#include "PieceSet.h"

#include "FatalError.h"
#include "XmlDocument.h"
#include "XmlRead.h"

#include <tinyxml.h>

#include <utility>

namespace cubrava {

const char* const PiecesFileName = "Config/Pieces.dat";
const char* const PiecesErrorMessage = "There was an error reading the Pieces configuration files.\n"
                                       "Please reinstall the game before playing again.";

void PieceSet::add(const std::vector<Block>& localBlocks, std::vector<std::unique_ptr<Material>> materials)
{
    pieces_.emplace_back(localBlocks, 0);
    for (auto& material : materials)
        materials_.push_back(std::move(material));
}

namespace {

[[noreturn]] void fail()
{
    throw FatalError(PiecesErrorMessage);
}

void readPiece(const TiXmlElement& element, PieceSet& into)
{
    if (element.ValueStr() != "piece")
        fail();
    std::vector<Block> blocks;
    std::vector<std::unique_ptr<Material>> materials;
    for (const TiXmlElement* cube = element.FirstChildElement(); cube; cube = cube->NextSiblingElement()) {
        const char* x = cube->Attribute("x");
        const char* y = cube->Attribute("y");
        const char* z = cube->Attribute("z");
        if (!x || !y || !z)
            fail();
        materials.push_back(std::make_unique<Material>(readMaterial(*cube)));
        blocks.push_back(
            Block { lowByte(atolRule(x)), lowByte(atolRule(y)), lowByte(atolRule(z)), materials.back().get() });
    }
    if (blocks.empty())
        fail();
    into.add(blocks, std::move(materials));
}

} // namespace

void readPieces(const std::string& path, PieceSet& into)
{
    PieceSet read;
    TiXmlDocument document;
    const TiXmlElement& root = loadConfigDocument(path, document, PiecesErrorMessage);
    const TiXmlElement* piece = root.FirstChildElement();
    if (!piece)
        fail();
    for (; piece; piece = piece->NextSiblingElement())
        readPiece(*piece, read);
    into = std::move(read);
}

} // namespace cubrava
