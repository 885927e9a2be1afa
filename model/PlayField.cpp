#include "PlayField.h"

#include "data/ProcessWide.h"

#include <algorithm>
#include <utility>

namespace cubrava {

namespace {

// Block b of a piece at p, in ints: sums of two signed bytes may leave the byte range.
struct Spot {
    int x, y, z;
};

Spot at(CellPos p, const Block& b)
{
    return { p.x + b.x, p.y + b.y, p.z + b.z };
}

enum class Axis { X, Y, Z };

// Writes the quarter turn of src into dst, reusing dst's storage.
void rotateInto(const PieceDef& src, PieceDef& dst, Axis axis)
{
    dst.blocks.resize(src.blocks.size());
    for (std::size_t i = 0; i < src.blocks.size(); ++i) {
        const Block& b = src.blocks[i];
        Block& r = dst.blocks[i];
        r.material = b.material;
        switch (axis) {
        case Axis::X:
            r.x = b.x;
            r.y = static_cast<std::int8_t>(src.ez - 1 - b.z);
            r.z = b.y;
            break;
        case Axis::Y:
            r.x = b.z;
            r.y = b.y;
            r.z = static_cast<std::int8_t>(src.ex - 1 - b.x);
            break;
        case Axis::Z:
            r.x = static_cast<std::int8_t>(src.ey - 1 - b.y);
            r.y = b.x;
            r.z = b.z;
            break;
        }
    }
    dst.orientation = axis == Axis::X ? turnX(src.orientation)
        : axis == Axis::Y             ? turnY(src.orientation)
                                      : turnZ(src.orientation);
    dst.computeExtent();
}

std::int8_t clampToByte(int value)
{
    return static_cast<std::int8_t>(std::clamp(value, -128, 127));
}

} // namespace

PieceDef rotatedX(const PieceDef& piece)
{
    PieceDef turned;
    rotateInto(piece, turned, Axis::X);
    return turned;
}

PieceDef rotatedY(const PieceDef& piece)
{
    PieceDef turned;
    rotateInto(piece, turned, Axis::Y);
    return turned;
}

PieceDef rotatedZ(const PieceDef& piece)
{
    PieceDef turned;
    rotateInto(piece, turned, Axis::Z);
    return turned;
}

PlayField::PlayField(const LevelDef& level, const PieceSet& pieces)
    : pit_(level, CellMaterials::Referenced)
    , pieces_(&pieces)
{
    if (!pieces_->empty()) {
        chooseNext();
        notify(PlayEvent::NextPieceChosen);
    }
}

PlayField::~PlayField() = default;

void PlayField::addListener(PlayListener& listener)
{
    if (std::find(listeners_.begin(), listeners_.end(), &listener) == listeners_.end())
        listeners_.push_back(&listener);
}

void PlayField::notify(PlayEvent event, std::int32_t arg)
{
    // By index: a listener may register another while being told.
    for (std::size_t i = 0; i < listeners_.size(); ++i)
        listeners_[i]->onPlayEvent(*this, event, arg);
}

const PieceDef* PlayField::activePiece() const
{
    return pieceActive_ && running_ ? &current_ : nullptr;
}

const PieceDef* PlayField::nextPiece() const
{
    return running_ ? &next_ : nullptr;
}

std::int32_t PlayField::dropDistanceOf(const PieceDef& piece, CellPos p) const
{
    for (const Block& b : piece.blocks) {
        Spot s = at(p, b);
        if (pit_.occupancyAt(s.x, s.y, s.z) != Occupancy::Empty)
            return -1;
    }
    std::int32_t best = pit_.gridHeight();
    for (const Block& b : piece.blocks) {
        Spot s = at(p, b);
        if (pit_.occupancyAt(s.x, s.y, s.z - 1) != Occupancy::Empty)
            return 0;
        std::int32_t count = 1;
        while (count < best && pit_.occupancyAt(s.x, s.y, s.z - 1 - count) == Occupancy::Empty)
            ++count;
        best = std::min(best, count);
    }
    return best;
}

void PlayField::chooseNext()
{
    next_ = (*pieces_)[static_cast<unsigned>(rand()) % pieces_->size()];
}

void PlayField::spawn()
{
    current_ = next_;
    if (!pieces_->empty()) {
        chooseNext();
        notify(PlayEvent::NextPieceChosen);
    }
    // Centred, rounding towards the origin; the top layer four above the rim.
    position_.x = clampToByte(static_cast<int>(pit_.width() * 0.5f - current_.ex * 0.5f));
    position_.y = clampToByte(static_cast<int>(pit_.depth() * 0.5f - current_.ey * 0.5f));
    position_.z = clampToByte(pit_.gridHeight() - current_.ez - 4);
    dropDistance_ = dropDistanceOf(current_, position_);
    if (dropDistance_ < 0) {
        running_ = false;
        notify(PlayEvent::GameOver);
    }
    pieceActive_ = true;
    notify(PlayEvent::PieceSpawned);
}

void PlayField::move(int kind)
{
    if (kind < 0 || kind > static_cast<int>(MoveKind::RotateZ))
        return;
    move(static_cast<MoveKind>(kind));
}

void PlayField::move(MoveKind kind)
{
    if (!running_ || !pieceActive_)
        return;

    CellPos target = position_;
    std::int32_t distance = -1;
    bool turned = false;
    switch (kind) {
    case MoveKind::StepDown:
        target.z = clampToByte(target.z - 1);
        distance = dropDistance_ - 1;
        break;
    case MoveKind::DropToFloor:
        target.z = clampToByte(target.z - dropDistance_);
        distance = dropDistance_ - 1 < 0 ? -1 : 0;
        break;
    case MoveKind::XPlus:
    case MoveKind::XMinus:
    case MoveKind::YPlus:
    case MoveKind::YMinus: {
        int x = target.x, y = target.y;
        x += kind == MoveKind::XPlus ? 1 : kind == MoveKind::XMinus ? -1 : 0;
        y += kind == MoveKind::YPlus ? 1 : kind == MoveKind::YMinus ? -1 : 0;
        if (x < -128 || x > 127 || y < -128 || y > 127)
            return;
        target.x = static_cast<std::int8_t>(x);
        target.y = static_cast<std::int8_t>(y);
        distance = dropDistanceOf(current_, target);
        break;
    }
    case MoveKind::RotateX:
    case MoveKind::RotateY:
    case MoveKind::RotateZ:
        rotateInto(current_, candidate_,
            kind == MoveKind::RotateX       ? Axis::X
                : kind == MoveKind::RotateY ? Axis::Y
                                            : Axis::Z);
        distance = dropDistanceOf(candidate_, target);
        turned = true;
        break;
    default:
        return;
    }

    if (distance >= 0) {
        position_ = target;
        if (turned)
            std::swap(current_, candidate_);
        dropDistance_ = distance;
        notify(turned ? PlayEvent::PieceRotated : PlayEvent::PieceMoved);
        return;
    }
    // Refused outright: no wall kick, no second position.
    if (kind == MoveKind::StepDown || kind == MoveKind::DropToFloor)
        land();
}

bool PlayField::stampPiece()
{
    for (std::size_t i = 0; i < current_.blocks.size(); ++i) {
        const Block& b = current_.blocks[i];
        Spot s = at(position_, b);
        if (pit_.occupancyAt(s.x, s.y, s.z) != Occupancy::Empty
            || !pit_.putCell(
                CellPos { static_cast<std::int8_t>(s.x), static_cast<std::int8_t>(s.y), static_cast<std::int8_t>(s.z) },
                *b.material, current_.orientation)) {
            while (i-- > 0) {
                Spot placed = at(position_, current_.blocks[i]);
                pit_.clearCell(CellPos { static_cast<std::int8_t>(placed.x), static_cast<std::int8_t>(placed.y),
                    static_cast<std::int8_t>(placed.z) });
            }
            return false;
        }
    }
    return true;
}

void PlayField::land()
{
    stampPiece();
    pieceActive_ = false;
    notify(PlayEvent::PieceLanded);
    scanFullLayers();
    if (pit_.stackHeight() > pit_.pitHeight()) {
        running_ = false;
        notify(PlayEvent::GameOver);
        return;
    }
    pending_.push_back(PlayAction { PlayAction::FinishTurn, 0, 0 });
    pending_.push_back(PlayAction { PlayAction::SpawnPiece, 0, 0 });
}

void PlayField::scanFullLayers()
{
    const int full = pit_.width() * pit_.depth();
    const int height = pit_.stackHeight();
    int i = 0, j = 0;
    while (j < height) {
        while (j < height && pit_.layerCount(j) == full) {
            pending_.push_back(PlayAction { PlayAction::ClearLayer, static_cast<std::int8_t>(j), 0 });
            ++j;
        }
        if (j == height)
            break;
        if (j != i)
            pending_.push_back(
                PlayAction { PlayAction::MoveLayer, static_cast<std::int8_t>(j), static_cast<std::int8_t>(i) });
        ++i;
        ++j;
    }
    // The layers that will remain, though the cells change only as the actions run.
    pit_.setStackHeight(i);
}

void PlayField::start()
{
    pending_.push_back(PlayAction { PlayAction::SpawnPiece, 0, 0 });
    running_ = true;
    notify(PlayEvent::Started);
}

void PlayField::stop()
{
    running_ = false;
    notify(PlayEvent::Stopped);
}

void PlayField::advance()
{
    if (pending_.empty())
        return;
    const PlayAction action = pending_.front();
    pending_.pop_front();
    switch (action.kind) {
    case PlayAction::ClearLayer:
        notify(PlayEvent::LayerClearing, action.a);
        pit_.clearLayer(action.a);
        notify(PlayEvent::LayerCleared, action.a);
        break;
    case PlayAction::MoveLayer:
        pit_.moveLayer(action.a, action.b);
        notify(PlayEvent::LayerDropped, action.b);
        break;
    case PlayAction::SpawnPiece:
        spawn();
        break;
    case PlayAction::FinishTurn:
        notify(PlayEvent::TurnFinished);
        break;
    default:
        break;
    }
}

} // namespace cubrava
