#pragma once

#include "data/Material.h"
#include "data/Orientation.h"
#include "render/CubeSequence.h"
#include "render/OverlayCanvas.h"
#include "render/OverlayImage.h"
#include "render/ViewRect.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace cubrava {

class Pit;
class RenderContext;

// The faint cubes of the layers edit mode does not edit, laid over the frame
// as kept images (OverlayImage) rather than drawn.
//
// The faint cubes of layer L's frame are the layers below it, bottom first,
// then the layers above. Each part is kept as an image depth tested against
// the grid alone: the layers below L and the layers above L. Neither holds
// layer L, so an edit of L leaves both as they are; a step up gives the part
// below L + 1 as that below L with layer L drawn over it, a step down the part
// above L - 1 as layer L with the part above L laid over it.
//
// Laid over the frame apart they give the picture the cubes drawn one by one
// give when the eye is above the pit: every ray from it then descends, so
// where a solid cube of layer L shows, the faint cubes below lie behind it and
// those above in front of it (cubes keep a margin inside their cells, so none
// touches another layer's). The frame marks those pixels in the stencil
// buffer as it draws the layer; the part below goes where none is marked, the
// part above everywhere. Otherwise (the eye lower, no stencil buffer) one image
// holds every other layer, depth tested against the layer's solid cubes too.
//
// At most KeptImages images are kept, those the frames used last and those
// of the neighbouring layers, which idle moments prepare ahead, with up to
// three checkpoints a quarter of the pit apart further on, which the images
// of the layers on the way grow from. Each holds the window part where the
// pit shows, eight bytes a pixel, beside one depth buffer of that size. View
// thread only: every call is OpenGL.
class FaintLayers {
public:
    static constexpr int KeptImages = 9;

    // Whether a frame may lay the parts apart: the eye above the pit in the
    // current transforms, and the window holding a stencil buffer.
    static bool splitView(const Pit& pit);

    // Takes the cubes of the pit anew; a layer whose faint cubes changed gets
    // a new version, and the images that hold it are drawn again.
    void gather(const Pit& pit);
    // Asks again for textures that could not be loaded; a layer that gets one
    // has changed.
    void retryMissingTextures(RenderContext& context);

    // Lays the faint cubes of every layer but `layer` over the frame, in the
    // current transforms and `viewport`, with blending on. `split`: the stencil
    // buffer marks where the layer's solid cubes show (splitView held).
    // Otherwise `layerDepth` draws what the faint cubes are depth tested
    // against: the grid and the layer's solid cubes. Depth writes are off at
    // the end.
    void draw(RenderContext& context, int layer, const ViewRect& viewport, bool split,
        const std::function<void()>& layerDepth);

    // Whether the images a step from the last frame's layer would want are
    // not all kept.
    bool hasWorkAhead() const { return !ahead_.empty(); }
    // Draws a step (a layer) of one of them, in the same transforms and
    // viewport as that frame; whether more is left.
    bool prepareAhead(RenderContext& context, int layer, const ViewRect& viewport);

private:
    // What an image holds: the layers below `layer`, above it, or all but it.
    enum class Span { Below, Above, AllBut };
    struct Want {
        Span span = Span::Below;
        int layer = -1;
    };
    // What every image depends on beside its layers.
    struct ViewStamp {
        ViewRect viewport;
        float modelview[16] = {};
        float projection[16] = {};
        int width = 0, depth = 0, height = 0;
    };
    struct FaintCube {
        int x, y;
        Orientation orientation;
        Material material;
        bool operator==(const FaintCube& other) const;
    };
    struct Layer {
        std::vector<FaintCube> cubes;
        CubeSequence sequence;
        std::uint64_t version = 0;
    };
    struct Slot {
        OverlayImage image;
        Want held;
        ViewStamp view;
        // Of every layer as the image was drawn.
        std::vector<std::uint64_t> versions;
        bool complete = false;
        std::uint64_t used = 0;
    };
    // An image being drawn: from a copy of slot `from` or nothing, then the
    // layers next to last, then slot `then` laid over.
    struct Build {
        int slot = -1;
        Want want;
        int from = -1, then = -1;
        int next = 0, last = -1;
        bool started = false;
    };

    struct Range {
        int first, last;
    };

    int layerCount() const { return static_cast<int>(layers_.size()); }
    ViewStamp stampNow(const ViewRect& viewport) const;
    static bool sameView(const ViewStamp& a, const ViewStamp& b);
    bool noCubes(int first, int last, int skip) const;
    // The layers an image of the want depends on.
    Range layersOf(const Want& want) const;
    // Whether the wanted image is what the slot is for, in the frame's view
    // and with the layers as they are now, complete or not.
    bool current(const Slot& slot, const Want& want) const;
    bool holds(RenderContext& context, int slot, const Want& want) const;
    int keptSlot(RenderContext& context, const Want& want) const;
    bool building(const Want& want) const;
    // Whether the image would hold no cube: none is needed.
    bool empty(const Want& want) const;
    // The images a frame of the layer uses, then those a step from it would.
    std::vector<Want> around(int layer) const;

    // The image of the want, drawn now if need be; nullptr when it would
    // hold no cube, nothing when it cannot be drawn.
    std::optional<const OverlayImage*> image(
        RenderContext& context, const Want& want, const std::function<void()>& depth);
    // Ends the build under way, its image incomplete.
    void abandon();
    // Begins an image of the want, from the nearest kept image it can grow
    // from, in a slot the frame does not use and no image of `keep` is in;
    // false when there is none.
    bool plan(RenderContext& context, const Want& want, const std::vector<Want>& keep);
    // Draws the next `layers` layers with cubes of the build (all of them
    // when negative), and finishes it after the last; false when drawing failed.
    bool advance(RenderContext& context, int layers, const std::function<void()>& depth);
    void drawLayers(RenderContext& context, int first, int last, int skip) const;
    void drawDirectly(RenderContext& context, int layer) const;

    std::vector<std::unique_ptr<Layer>> layers_;
    std::uint64_t versions_ = 0;
    int width_ = 0, depth_ = 0;

    OverlayCanvas canvas_;
    std::array<Slot, KeptImages> slots_;
    Build build_;
    std::uint64_t clock_ = 0;
    // The frame's: its view, the slots it uses, its layer and the last step.
    ViewStamp view_;
    std::vector<int> pinned_;
    int layer_ = -1;
    int direction_ = 1;
    // What a step from the frame's layer would want and is not kept.
    std::vector<Want> ahead_;
};

} // namespace cubrava
