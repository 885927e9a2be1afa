#include "XmlRead.h"

#include <tinyxml.h>

#include <cstdlib>

namespace cubrava {

long atolRule(const char* text)
{
    return text ? std::strtol(text, nullptr, 10) : 0;
}

namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return 0;
}

} // namespace

void parseColour(const char* text, float& red, float& green, float& blue)
{
    int digits[6] = { 0, 0, 0, 0, 0, 0 };
    if (text) {
        for (int i = 0; i < 6 && text[i] != '\0'; ++i)
            digits[i] = hexDigit(text[i]);
    }
    const float scale = 0.00392156862745098f;
    red = static_cast<float>(16 * digits[0] + digits[1]) * scale;
    green = static_cast<float>(16 * digits[2] + digits[3]) * scale;
    blue = static_cast<float>(16 * digits[4] + digits[5]) * scale;
}

Material readMaterial(const TiXmlElement& element)
{
    Material material;
    parseColour(element.Attribute("color"), material.red, material.green, material.blue);
    const char* texture = element.Attribute("texture");
    material.textureName = texture ? texture : "";
    return material;
}

} // namespace cubrava
