#include "TextureLoader.h"

#include "platform/BmpImage.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <filesystem>
#include <fstream>
#include <system_error>

namespace cubrava {

std::uint32_t loadTexture(const std::string& fileName)
{
    if (fileName.empty())
        return 0;
    // A folder opens for reading too, but holds no image.
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(fileName, ignored) || !std::ifstream(fileName, std::ios::binary).is_open())
        return 0;

    // While a display list is being compiled the texture calls below would be
    // recorded into it rather than run; refuse, so the name is tried again later.
    GLint compiling = 0;
    glGetIntegerv(GL_LIST_INDEX, &compiling);
    if (compiling != 0)
        return 0;

    RgbImage image;
    if (!loadBmp(fileName, image) || image.width <= 0 || image.height <= 0)
        return 0;

    GLuint handle = 0;
    glGenTextures(1, &handle);
    if (handle == 0) // no rendering context
        return 0;
    glBindTexture(GL_TEXTURE_2D, handle);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);

    // Rows are tightly packed, not padded to four bytes.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    const GLint failed = gluBuild2DMipmaps(
        GL_TEXTURE_2D, GL_RGB, image.width, image.height, GL_RGB, GL_UNSIGNED_BYTE, image.rgb.data());
    glPopClientAttrib();
    glBindTexture(GL_TEXTURE_2D, 0);

    if (failed != 0) {
        glDeleteTextures(1, &handle);
        return 0;
    }
    return handle;
}

} // namespace cubrava
