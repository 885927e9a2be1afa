// Counts the pixels of a screenshot (binary PPM) that fall in colour ranges
// inside rectangles, and fails unless every count is within its bound.
//
//   shot_check IMAGE.ppm CHECK...
//   CHECK = name:x,y,w,h:>=N:rlo-rhi,glo-ghi,blo-bhi   (or <=N)
//
// Rectangles are in image pixels from the top left.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Image {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
};

bool readPpm(const std::string& path, Image& image)
{
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maxValue = 0;
    in >> magic >> image.width >> image.height >> maxValue;
    in.get();
    if (!in || magic != "P6" || maxValue != 255 || image.width <= 0 || image.height <= 0)
        return false;
    image.rgb.resize(static_cast<std::size_t>(image.width) * image.height * 3);
    in.read(reinterpret_cast<char*>(image.rgb.data()), static_cast<std::streamsize>(image.rgb.size()));
    return static_cast<std::size_t>(in.gcount()) == image.rgb.size();
}

struct Check {
    std::string name;
    int x, y, w, h;
    bool atLeast;
    long bound;
    int lo[3], hi[3];
};

bool parse(const std::string& text, Check& c)
{
    std::string bound;
    std::istringstream in(text);
    std::getline(in, c.name, ':');
    char comma, dash;
    std::string rect, colours;
    std::getline(in, rect, ':');
    std::getline(in, bound, ':');
    std::getline(in, colours);
    std::istringstream r(rect);
    if (!(r >> c.x >> comma >> c.y >> comma >> c.w >> comma >> c.h))
        return false;
    if (bound.size() < 3 || (bound.compare(0, 2, ">=") != 0 && bound.compare(0, 2, "<=") != 0))
        return false;
    c.atLeast = bound[0] == '>';
    c.bound = std::stol(bound.substr(2));
    std::istringstream col(colours);
    for (int i = 0; i < 3; ++i) {
        if (!(col >> c.lo[i] >> dash >> c.hi[i]))
            return false;
        if (i < 2)
            col >> comma;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::cerr << "usage: shot_check IMAGE.ppm name:x,y,w,h:>=N:rlo-rhi,glo-ghi,blo-bhi ...\n";
        return 2;
    }
    Image image;
    if (!readPpm(argv[1], image)) {
        std::cerr << "shot_check: cannot read " << argv[1] << " as a binary PPM\n";
        return 2;
    }
    bool allPassed = true;
    for (int a = 2; a < argc; ++a) {
        Check c;
        if (!parse(argv[a], c)) {
            std::cerr << "shot_check: bad check " << argv[a] << "\n";
            return 2;
        }
        long count = 0;
        for (int y = std::max(0, c.y); y < std::min(image.height, c.y + c.h); ++y)
            for (int x = std::max(0, c.x); x < std::min(image.width, c.x + c.w); ++x) {
                const unsigned char* p = &image.rgb[(static_cast<std::size_t>(y) * image.width + x) * 3];
                bool inside = true;
                for (int i = 0; i < 3; ++i)
                    inside = inside && p[i] >= c.lo[i] && p[i] <= c.hi[i];
                count += inside;
            }
        const bool passed = c.atLeast ? count >= c.bound : count <= c.bound;
        allPassed = allPassed && passed;
        std::printf("%-24s %7ld pixels (want %s%ld)  %s\n", c.name.c_str(), count, c.atLeast ? ">=" : "<=", c.bound,
            passed ? "ok" : "FAIL");
    }
    return allPassed ? 0 : 1;
}
