// Moves per second on a 10 x 10 x 20 pit, and the cost of one landing with its
// full-layer scan.

#include "data/ProcessWide.h"
#include "model/PlayField.h"
#include "support/PieceMaking.h"

#include <benchmark/benchmark.h>

#include <memory>

using namespace cubrava;

namespace {

// The eight tetracubes and four small pieces, as the game ships them.
const PieceSet& benchPieces()
{
    static const PieceSet pieces = test::piecesOf({
        { { 0, 0, 0 }, { 1, 0, 0 }, { 2, 0, 0 }, { 3, 0, 0 } },
        { { 0, 0, 0 }, { 1, 0, 0 }, { 0, 1, 0 }, { 1, 1, 0 } },
        { { 0, 0, 0 }, { 1, 0, 0 }, { 2, 0, 0 }, { 1, 1, 0 } },
        { { 0, 0, 0 }, { 1, 0, 0 }, { 2, 0, 0 }, { 2, 1, 0 } },
        { { 0, 0, 0 }, { 1, 0, 0 }, { 1, 1, 0 }, { 2, 1, 0 } },
        { { 0, 0, 0 }, { 1, 0, 0 }, { 0, 1, 0 }, { 0, 0, 1 } },
        { { 0, 0, 0 }, { 1, 0, 0 }, { 1, 1, 0 }, { 1, 1, 1 } },
        { { 0, 0, 0 }, { 1, 0, 0 }, { 1, 1, 0 }, { 0, 0, 1 } },
        test::cube,
        { { 0, 0, 0 }, { 1, 0, 0 } },
        test::lineX3,
        { { 0, 0, 0 }, { 1, 0, 0 }, { 1, 1, 0 } },
    });
    return pieces;
}

// Plays like a restless player: mostly slides and turns, a step down now and
// then, a drop every so often; landings, clears and new games follow.
struct Game : PlayListener {
    LevelDef level { 10, 10, 20 };
    std::unique_ptr<PlayField> play;

    void onPlayEvent(PlayField& field, PlayEvent event, std::int32_t) override
    {
        if (event == PlayEvent::TurnFinished)
            field.advance();
    }

    void restart()
    {
        play = std::make_unique<PlayField>(level, benchPieces());
        play->addListener(*this);
        play->start();
        play->advance();
    }

    void randomMove()
    {
        if (!play->isRunning())
            restart();
        if (!play->activePiece()) {
            while (!play->pending().empty())
                play->advance();
            return;
        }
        const int r = cubrava::rand() % 16;
        if (r < 10)
            play->move(2 + r % 7); // slides and turns
        else if (r < 15)
            play->move(MoveKind::StepDown);
        else
            play->move(MoveKind::DropToFloor);
    }
};

void RandomMoves(benchmark::State& state)
{
    cubrava::srand(7);
    Game game;
    game.restart();
    for (auto _ : state)
        game.randomMove();
    state.counters["moves/s"]
        = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(RandomMoves);

// A seed whose first draw picks the straight four (piece 0).
std::uint32_t seedForStraightFour()
{
    for (std::uint32_t seed = 0;; ++seed) {
        cubrava::srand(seed);
        if (cubrava::rand() % 12 == 0)
            return seed;
    }
}

// One landing of the straight four into the gap of the top layer of a stack
// of six (the five below each lack one cube), scan and queue included.
void LandingWithScan(benchmark::State& state)
{
    const PieceSet& pieces = benchPieces();
    LevelDef level(10, 10, 20);
    Material grey;
    for (int z = 0; z < 6; ++z)
        for (int x = 0; x < 10; ++x)
            for (int y = 0; y < 10; ++y) {
                const bool gap = z < 5 ? (x == 9 && y == 9) : (x >= 3 && x <= 6 && y == 4);
                if (!gap)
                    level.addBlock(
                        static_cast<std::int8_t>(x), static_cast<std::int8_t>(y), static_cast<std::int8_t>(z), grey);
            }
    const std::uint32_t seed = seedForStraightFour();
    for (auto _ : state) {
        state.PauseTiming();
        cubrava::srand(seed);
        PlayField play(level, pieces);
        play.start();
        play.advance();
        play.move(MoveKind::DropToFloor);
        state.ResumeTiming();
        play.move(MoveKind::StepDown);
        state.PauseTiming();
        if (play.pending().size() != 3 || play.pending().front().kind != PlayAction::ClearLayer) {
            state.SkipWithError("the landing did not complete the top layer");
            break;
        }
        state.ResumeTiming();
    }
}
BENCHMARK(LandingWithScan);

} // namespace

BENCHMARK_MAIN();
