#pragma once

#include "Material.h"
#include "PieceDef.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace cubrava {

// The piece shapes of Config/Pieces.dat, in file order. The set owns the
// materials of its pieces' blocks; each program reads it once at start-up and
// hands it to what plays with it.
class PieceSet {
public:
    std::size_t size() const { return pieces_.size(); }
    bool empty() const { return pieces_.empty(); }
    const PieceDef& operator[](std::size_t index) const { return pieces_[index]; }
    const std::vector<PieceDef>& pieces() const { return pieces_; }

    // Appends a piece built from (x, y, z, material) cubes; the set keeps the materials.
    void add(const std::vector<Block>& localBlocks, std::vector<std::unique_ptr<Material>> materials);

private:
    std::vector<PieceDef> pieces_;
    std::vector<std::unique_ptr<Material>> materials_;
};

extern const char* const PiecesFileName;
extern const char* const PiecesErrorMessage;

// Reads a piece file into an empty set; on failure the set is left empty and
// FatalError is raised with the Pieces message.
void readPieces(const std::string& path, PieceSet& into);

} // namespace cubrava
