// Each configuration file the game reads at start-up, made hostile: every
// reader ends with its own message, never a crash, a hang or a huge allocation.

#include "audio/Playlists.h"
#include "data/LevelList.h"
#include "data/PieceSet.h"
#include "render/StatusMessages.h"
#include "support/FatalMessage.h"
#include "support/ScratchDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

using namespace cubrava;

namespace {

struct ConfigReader {
    const char* file;
    const char* message;
    std::function<void(const std::string& path)> read;
};

const ConfigReader readers[] = {
    { "Config/Levels.dat", LevelsErrorMessage,
        [](const std::string& path) {
            LevelList levels;
            readLevelsFrom(path, levels);
        } },
    { "Config/Pieces.dat", PiecesErrorMessage,
        [](const std::string& path) {
            PieceSet pieces;
            readPieces(path, pieces);
        } },
    { "Config/Status.dat", StatusErrorMessage,
        [](const std::string& path) {
            StatusMessages lists;
            readStatusMessagesFrom(path, lists);
        } },
    { "Config/DJ.dat", DjConfigErrorMessage,
        [](const std::string& path) {
            Playlists lists;
            readPlaylists(path, lists);
        } },
};

std::string failure(const ConfigReader& reader)
{
    return test::fatalMessageOf([&] { reader.read(reader.file); });
}

} // namespace

TEST(HostileConfig, AFolderInPlaceOfTheFile)
{
    ScratchDir dir;
    for (const ConfigReader& reader : readers) {
        std::filesystem::create_directories(reader.file);
        EXPECT_EQ(failure(reader), reader.message) << reader.file;
    }
}

TEST(HostileConfig, ADocumentNestedHundredsOfThousandsDeep)
{
    ScratchDir dir;
    std::string deep = "<r>";
    for (int i = 0; i < 300000; ++i)
        deep += "<list><msg>";
    for (const ConfigReader& reader : readers) {
        dir.write(reader.file, deep);
        EXPECT_EQ(failure(reader), reader.message) << reader.file;
    }
}
