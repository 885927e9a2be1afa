// Config/Status.dat: read, then a message of each list chosen and fitted to
// the pit's width in the shipped font, as the game shows them.
#include "FuzzSupport.h"
#include "render/StatusOverlay.h"
#include "render/TextFakes.h"

#include <cstddef>
#include <cstdint>

using namespace cubrava;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::useAsFile(StatusFileName, data, size, [] {
        TextFakeDisplay display;
        StatusOverlay overlay(display);
        overlay.init(testFontFile());
        overlay.setViewport(ViewRect { 0, 0, 768, 768 });
        for (int list = 0; list < StatusListCount; ++list)
            overlay.showRandom(list, TextColour { 0.0f, 1.0f, 0.0f });
    });
    return 0;
}
