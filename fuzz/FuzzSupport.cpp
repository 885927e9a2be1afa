#include "FuzzSupport.h"

#include "data/FatalError.h"
#include "data/ProcessWide.h"
#include "model/LevelProgress.h"
#include "model/Pit.h"
#include "model/PlayField.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

fs::path workFolder;

void removeWorkFolder()
{
    std::error_code ignored;
    fs::current_path(workFolder.parent_path(), ignored);
    fs::remove_all(workFolder, ignored);
}

// Runs the next piece in as soon as a turn finishes, as the game does.
struct Shell : cubrava::PlayListener {
    void onPlayEvent(cubrava::PlayField& play, cubrava::PlayEvent event, std::int32_t) override
    {
        if (event == cubrava::PlayEvent::TurnFinished)
            play.advance();
    }
};

constexpr int MaxPieces = 32;
constexpr int MaxMovesPerPiece = 8;
constexpr int MaxSteps = 4096;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = (fs::path(tmp && *tmp ? tmp : "/tmp") / "cubrava-fuzz-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        std::abort();
    workFolder = pattern;
    fs::create_directories(workFolder / "Config");
    fs::current_path(workFolder);
    std::atexit(removeWorkFolder);
    return 0;
}

namespace cubrava::fuzz {

const PieceSet& shippedPieces()
{
    static const PieceSet pieces = [] {
        PieceSet read;
        readPieces((fs::path(CUBRAVA_CONTENT_CONFIG) / "Pieces.dat").string(), read);
        return read;
    }();
    return pieces;
}

void useAsFile(const char* path, const std::uint8_t* data, std::size_t size, const std::function<void()>& use)
{
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    std::uint32_t hash = 2166136261u; // FNV-1a
    for (std::size_t i = 0; i < size; ++i)
        hash = (hash ^ data[i]) * 16777619u;
    cubrava::srand(hash);
    try {
        use();
    } catch (const FatalError&) {
    }
}

void playLevel(const LevelDef& level, const PieceSet& pieces)
{
    Pit editing(level, CellMaterials::Copied);

    PlayField play(level, pieces);
    LevelProgress progress;
    progress.setLevel(level);
    Shell shell;
    play.addListener(progress);
    play.addListener(shell);
    play.start();
    play.advance();
    int steps = 0;
    for (int piece = 0; piece < MaxPieces && play.isRunning(); ++piece) {
        const int moves = cubrava::rand() % MaxMovesPerPiece;
        for (int i = 0; i < moves; ++i)
            play.move(cubrava::rand() % 9);
        play.move(MoveKind::DropToFloor);
        play.move(MoveKind::StepDown);
        while (!play.pending().empty() && steps++ < MaxSteps)
            play.advance();
    }
}

} // namespace cubrava::fuzz
