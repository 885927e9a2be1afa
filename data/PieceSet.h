#pragma once

#include "Material.h"
#include "PieceDef.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace cubrava {

// The piece shapes of Config/Pieces.dat, in file order. The set owns the
// materials of its pieces' blocks.
class PieceSet {
public:
    std::size_t size() const { return pieces_.size(); }
    bool empty() const { return pieces_.empty(); }
    const PieceDef& operator[](std::size_t index) const { return pieces_[index]; }
    const std::vector<PieceDef>& pieces() const { return pieces_; }

    // Appends a piece built from (x, y, z, material) cubes; the set keeps the materials.
    void add(const std::vector<Block>& localBlocks, std::vector<std::unique_ptr<Material>> materials);

    void clear();

private:
    std::vector<PieceDef> pieces_;
    std::vector<std::unique_ptr<Material>> materials_;
};

extern const char* const PiecesFileName;
extern const char* const PiecesErrorMessage;

// The process-wide set, read from Config/Pieces.dat on first use (and again
// while it is empty). Raises FatalError with the Pieces message on a bad file.
PieceSet& pieceSet();

// Empties the process-wide set, so that the next pieceSet() reads the file
// again. Only while nothing refers to its pieces' materials (tests start and
// end with it; see tests/support/ProcessStateGuard.h).
void resetPieceSet();

// Reads a piece file into an empty set; on failure the set is left empty and
// FatalError is raised with the Pieces message.
void readPieces(const std::string& path, PieceSet& into);

} // namespace cubrava
