#include "render/TextureLoader.h"
#include "support/ScratchDir.h"

#include <gtest/gtest.h>

using namespace cubrava;

// Neither case may reach the image reader or the renderer: there is no
// display here, and a missing texture is not worth a message.
TEST(TextureLoader, NoNameOrNoFileGivesNoTextureQuietly)
{
    ScratchDir dir;
    dir.write("Textures/readme.txt", "a folder is not an image");
    testing::internal::CaptureStderr();
    EXPECT_EQ(loadTexture(""), 0u);
    EXPECT_EQ(loadTexture("Textures/none.bmp"), 0u);
    EXPECT_EQ(loadTexture("Textures"), 0u);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}
