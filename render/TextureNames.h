#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace cubrava {

class RenderContext;

// The texture names of a batch of cubes, each cube holding an index into
// them (0: untextured), and the textures they stand for in a rendering
// context, looked up once for each set of names.
class TextureNames {
public:
    // The name's index, added when new.
    std::uint32_t indexOf(const std::string& name);
    void clear() { names_.assign(1, std::string()); }

    // Fills textures from the context, by index.
    void lookUp(RenderContext& context, std::vector<unsigned>& textures) const;
    // Asks the context again for those not loaded; whether one came.
    bool lookUpMissing(RenderContext& context, std::vector<unsigned>& textures) const;

private:
    std::vector<std::string> names_ { std::string() };
};

} // namespace cubrava
