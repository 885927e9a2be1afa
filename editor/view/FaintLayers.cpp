#include "FaintLayers.h"

#include "EditDrawing.h"
#include "model/Pit.h"
#include "render/ParticleArrays.h"
#include "render/PitDrawing.h"
#include "render/RenderContext.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstring>

namespace cubrava {

bool FaintLayers::FaintCube::operator==(const FaintCube& other) const
{
    return x == other.x && y == other.y && orientation == other.orientation && material.red == other.material.red
        && material.green == other.material.green && material.blue == other.material.blue
        && material.textureName == other.material.textureName;
}

bool FaintLayers::splitView(const Pit& pit)
{
    GLint stencilBits = 0;
    glGetIntegerv(GL_STENCIL_BITS, &stencilBits);
    if (stencilBits <= 0)
        return false;
    float eye[3];
    currentEyePosition(eye);
    return eye[2] > static_cast<float>(pit.pitHeight());
}

void FaintLayers::gather(const Pit& pit)
{
    width_ = pit.width();
    depth_ = pit.depth();
    const auto height = static_cast<std::size_t>(std::max(0, pit.pitHeight()));
    if (layers_.size() > height)
        layers_.resize(height);
    while (layers_.size() < height) {
        layers_.push_back(std::make_unique<Layer>());
        layers_.back()->version = ++versions_;
    }
    std::vector<FaintCube> now;
    for (std::size_t z = 0; z < height; ++z) {
        now.clear();
        forEachCubeOfLayer(pit, static_cast<int>(z), [&](const Material& material, int x, int y, Orientation o) {
            now.push_back(FaintCube { x, y, o, material });
        });
        Layer& layer = *layers_[z];
        if (now == layer.cubes)
            continue;
        layer.cubes.swap(now);
        layer.sequence.clear();
        for (const FaintCube& cube : layer.cubes)
            layer.sequence.add(cube.material, cube.x, cube.y, static_cast<int>(z), cube.orientation,
                EditLook::FaintAlpha, EditLook::FaintBrighten, false);
        layer.version = ++versions_;
    }
}

void FaintLayers::retryMissingTextures(RenderContext& context)
{
    for (auto& layer : layers_)
        if (layer->sequence.retryMissingTextures(context))
            layer->version = ++versions_;
}

FaintLayers::ViewStamp FaintLayers::stampNow(const ViewRect& viewport) const
{
    ViewStamp stamp;
    stamp.viewport = viewport;
    glGetFloatv(GL_MODELVIEW_MATRIX, stamp.modelview);
    glGetFloatv(GL_PROJECTION_MATRIX, stamp.projection);
    stamp.width = width_;
    stamp.depth = depth_;
    stamp.height = layerCount();
    return stamp;
}

bool FaintLayers::sameView(const ViewStamp& a, const ViewStamp& b)
{
    return a.viewport == b.viewport && a.width == b.width && a.depth == b.depth && a.height == b.height
        && std::memcmp(a.modelview, b.modelview, sizeof a.modelview) == 0
        && std::memcmp(a.projection, b.projection, sizeof a.projection) == 0;
}

bool FaintLayers::noCubes(int first, int last, int skip) const
{
    for (int z = std::max(0, first); z <= last && z < layerCount(); ++z)
        if (z != skip && !layers_[static_cast<std::size_t>(z)]->cubes.empty())
            return false;
    return true;
}

FaintLayers::Range FaintLayers::layersOf(const Want& want) const
{
    switch (want.span) {
    case Span::Below:
        return { 0, want.layer - 1 };
    case Span::Above:
        return { want.layer + 1, layerCount() - 1 };
    case Span::AllBut:
        break;
    }
    // The edited layer's solid cubes are in its depth.
    return { 0, layerCount() - 1 };
}

bool FaintLayers::current(const Slot& slot, const Want& want) const
{
    if (slot.held.span != want.span || slot.held.layer != want.layer || !sameView(slot.view, view_)
        || slot.versions.size() != layers_.size())
        return false;
    const Range range = layersOf(want);
    for (int z = range.first; z <= range.last; ++z)
        if (slot.versions[static_cast<std::size_t>(z)] != layers_[static_cast<std::size_t>(z)]->version)
            return false;
    return true;
}

bool FaintLayers::holds(RenderContext& context, int slot, const Want& want) const
{
    const Slot& s = slots_[static_cast<std::size_t>(slot)];
    return s.complete && current(s, want) && s.image.recorded(context);
}

int FaintLayers::keptSlot(RenderContext& context, const Want& want) const
{
    for (int i = 0; i < KeptImages; ++i)
        if (holds(context, i, want))
            return i;
    return -1;
}

bool FaintLayers::building(const Want& want) const
{
    return build_.slot >= 0 && current(slots_[static_cast<std::size_t>(build_.slot)], want);
}

bool FaintLayers::empty(const Want& want) const
{
    const Range range = layersOf(want);
    return noCubes(range.first, range.last, want.span == Span::AllBut ? want.layer : -1);
}

std::vector<FaintLayers::Want> FaintLayers::around(int layer) const
{
    std::vector<Want> wants { { Span::Below, layer }, { Span::Above, layer } };
    // The way the last step went first, and on each side first the image no
    // quick drawing gives: the part above a higher layer, below a lower one.
    // That one grows from the nearest checkpoint further on, so a held key
    // never waits for every layer to be drawn again: the checkpoints come
    // first, the farthest first, each growing from the one before it.
    const int height = layerCount();
    const int stride = std::max(2, (height + 3) / 4);
    bool forward = true;
    for (const int side : { layer + direction_, layer - direction_ }) {
        if (side < 0 || side >= height)
            continue;
        const Span slow = side > layer ? Span::Above : Span::Below;
        const Span quick = side > layer ? Span::Below : Span::Above;
        if (forward && slow == Span::Above) {
            for (int c = (height - 2) / stride * stride; c > side; c -= stride)
                wants.push_back(Want { Span::Above, c });
        } else if (forward) {
            for (int c = stride; c < side; c += stride)
                wants.push_back(Want { Span::Below, c });
        }
        wants.push_back(Want { slow, side });
        wants.push_back(Want { quick, side });
        forward = false;
    }
    return wants;
}

void FaintLayers::abandon()
{
    if (build_.slot >= 0)
        slots_[static_cast<std::size_t>(build_.slot)].complete = false;
    build_ = Build {};
}

bool FaintLayers::plan(RenderContext& context, const Want& want, const std::vector<Want>& keep)
{
    abandon();
    Build build;
    build.want = want;
    const int height = layerCount();
    if (want.span == Span::Below) {
        // From the kept image of the most layers below fewer.
        int best = 0;
        for (int i = 0; i < KeptImages; ++i) {
            const Want& held = slots_[static_cast<std::size_t>(i)].held;
            if (held.span == Span::Below && held.layer > best && held.layer < want.layer && holds(context, i, held)) {
                best = held.layer;
                build.from = i;
            }
        }
        build.next = best;
        build.last = want.layer - 1;
    } else if (want.span == Span::Above) {
        // Under the kept image of the most layers above fewer.
        int best = height - 1;
        for (int i = 0; i < KeptImages; ++i) {
            const Want& held = slots_[static_cast<std::size_t>(i)].held;
            if (held.span == Span::Above && held.layer < best && held.layer > want.layer && holds(context, i, held)) {
                best = held.layer;
                build.then = i;
            }
        }
        build.next = want.layer + 1;
        build.last = best;
    } else {
        build.next = 0;
        build.last = height - 1;
    }

    // The slot: one holding nothing of use first, then the one used longest ago.
    int choice = -1;
    std::uint64_t oldest = 0;
    for (int i = 0; i < KeptImages; ++i) {
        if (i == build.from || i == build.then || std::find(pinned_.begin(), pinned_.end(), i) != pinned_.end())
            continue;
        const Slot& slot = slots_[static_cast<std::size_t>(i)];
        const bool useful = holds(context, i, slot.held);
        if (useful && std::any_of(keep.begin(), keep.end(), [&](const Want& kept) { return current(slot, kept); }))
            continue;
        const std::uint64_t age = useful ? slot.used : 0;
        if (choice < 0 || age < oldest) {
            choice = i;
            oldest = age;
        }
    }
    if (choice < 0)
        return false;
    Slot& slot = slots_[static_cast<std::size_t>(choice)];
    slot.held = want;
    slot.view = view_;
    slot.versions.clear();
    for (const auto& layer : layers_)
        slot.versions.push_back(layer->version);
    slot.complete = false;
    build.slot = choice;
    build_ = build;
    return true;
}

bool FaintLayers::advance(RenderContext& context, int layers, const std::function<void()>& depth)
{
    Slot& slot = slots_[static_cast<std::size_t>(build_.slot)];
    const float low[3] = { 0.0f, 0.0f, 0.0f };
    const float high[3] = { static_cast<float>(width_), static_cast<float>(depth_), static_cast<float>(layerCount()) };
    const int skip = build_.want.span == Span::AllBut ? build_.want.layer : -1;
    bool drawn = true;
    if (!build_.started) {
        const OverlayImage* from = build_.from >= 0 ? &slots_[static_cast<std::size_t>(build_.from)].image : nullptr;
        drawn = slot.image.start(context, canvas_, view_.viewport, low, high, from);
        build_.started = true;
    }
    // Layers without cubes change nothing; `layers` counts the others.
    for (int count = 0; drawn && build_.next <= build_.last && (layers < 0 || count < layers);) {
        int to = build_.last;
        if (layers >= 0) {
            to = build_.next;
            while (to < build_.last && noCubes(to, to, skip))
                ++to;
        }
        if (!noCubes(build_.next, to, skip)) {
            const int first = build_.next;
            drawn = slot.image.add(context, canvas_, depth, [&] { drawLayers(context, first, to, skip); });
            ++count;
        }
        build_.next = to + 1;
    }
    if (drawn && build_.next > build_.last) {
        if (build_.then >= 0)
            drawn = slot.image.follow(context, canvas_, slots_[static_cast<std::size_t>(build_.then)].image);
        slot.complete = drawn;
        slot.used = ++clock_;
        build_ = Build {};
    }
    if (!drawn)
        abandon();
    return drawn;
}

void FaintLayers::drawLayers(RenderContext& context, int first, int last, int skip) const
{
    glDepthMask(GL_FALSE);
    for (int z = first; z <= last; ++z)
        if (z != skip)
            layers_[static_cast<std::size_t>(z)]->sequence.draw(context);
    glDepthMask(GL_FALSE);
}

std::optional<const OverlayImage*> FaintLayers::image(
    RenderContext& context, const Want& want, const std::function<void()>& depth)
{
    if (empty(want))
        return nullptr;
    int slot = keptSlot(context, want);
    if (slot < 0) {
        if (!building(want) && !plan(context, want, around(want.layer)) && !plan(context, want, {}))
            return std::nullopt;
        slot = build_.slot;
        if (!advance(context, -1, depth))
            return std::nullopt;
    }
    slots_[static_cast<std::size_t>(slot)].used = ++clock_;
    pinned_.push_back(slot);
    return &slots_[static_cast<std::size_t>(slot)].image;
}

void FaintLayers::draw(
    RenderContext& context, int layer, const ViewRect& viewport, bool split, const std::function<void()>& layerDepth)
{
    view_ = stampNow(viewport);
    pinned_.clear();
    ahead_.clear();
    if (layer != layer_) {
        if (layer_ >= 0)
            direction_ = layer > layer_ ? 1 : -1;
        layer_ = layer;
    }
    bool laid = false;
    if (!context.hasFramebuffers()) {
        // Drawn directly below.
    } else if (split) {
        const auto grid = [this] { drawPitGrid(width_, depth_, layerCount()); };
        // The image under way first: beginning the other would end it.
        const Want belowWant { Span::Below, layer }, aboveWant { Span::Above, layer };
        std::optional<const OverlayImage*> below, above;
        if (building(aboveWant)) {
            above = image(context, aboveWant, grid);
            below = above ? image(context, belowWant, grid) : std::nullopt;
        } else {
            below = image(context, belowWant, grid);
            above = below ? image(context, aboveWant, grid) : std::nullopt;
        }
        if (below && above) {
            if (*below) {
                glEnable(GL_STENCIL_TEST);
                glStencilFunc(GL_EQUAL, 0, 1);
                glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
                (*below)->apply(context);
                glDisable(GL_STENCIL_TEST);
            }
            if (*above)
                (*above)->apply(context);
            laid = true;
            for (const Want& want : around(layer))
                if (!empty(want) && keptSlot(context, want) < 0)
                    ahead_.push_back(want);
        }
    } else {
        const auto all = image(context, Want { Span::AllBut, layer }, layerDepth);
        if (all && *all)
            (*all)->apply(context);
        laid = all.has_value();
    }
    if (!laid)
        drawDirectly(context, layer);
    glDepthMask(GL_FALSE);
}

void FaintLayers::drawDirectly(RenderContext& context, int layer) const
{
    drawLayers(context, 0, layerCount() - 1, layer);
}

bool FaintLayers::prepareAhead(RenderContext& context, int layer, const ViewRect& viewport)
{
    if (ahead_.empty())
        return false;
    if (layer != layer_ || !sameView(stampNow(viewport), view_)) {
        // A frame comes first, and says again what is wanted.
        ahead_.clear();
        return false;
    }
    const Want want = ahead_.front();
    bool done = keptSlot(context, want) >= 0;
    if (!done && !building(want) && !plan(context, want, around(layer)))
        done = true;
    if (!done) {
        const auto grid = [this] { drawPitGrid(width_, depth_, layerCount()); };
        done = !advance(context, 1, grid) || build_.slot < 0;
    }
    if (done)
        ahead_.erase(ahead_.begin());
    return !ahead_.empty();
}

} // namespace cubrava
