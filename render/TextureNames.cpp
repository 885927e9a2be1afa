#include "TextureNames.h"

#include "RenderContext.h"

#include <algorithm>

namespace cubrava {

std::uint32_t TextureNames::indexOf(const std::string& name)
{
    const auto found = std::find(names_.begin(), names_.end(), name);
    const auto index = static_cast<std::uint32_t>(found - names_.begin());
    if (found == names_.end())
        names_.push_back(name);
    return index;
}

void TextureNames::lookUp(RenderContext& context, std::vector<unsigned>& textures) const
{
    textures.clear();
    for (const std::string& name : names_)
        textures.push_back(context.texture(name));
}

bool TextureNames::lookUpMissing(RenderContext& context, std::vector<unsigned>& textures) const
{
    bool came = false;
    for (std::size_t i = 0; i < names_.size() && i < textures.size(); ++i) {
        if (textures[i] == 0 && !names_[i].empty()) {
            textures[i] = context.texture(names_[i]);
            came = came || textures[i] != 0;
        }
    }
    return came;
}

} // namespace cubrava
