#define GL_GLEXT_PROTOTYPES
#include "CubeBatch.h"

#include "CubeGeometry.h"
#include "RenderContext.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cmath>

namespace cubrava {

namespace {

// A 3 x 3 matrix, row by row.
struct Turn {
    float m[3][3];
};

Turn identity()
{
    return { { { 1, 0, 0 }, { 0, 1, 0 }, { 0, 0, 1 } } };
}

// The matrix glRotatef makes, to the last bit: the sine and cosine taken in
// single precision as the renderer does, so that a face that is edge-on to a
// light comes out on the same side of it as when the renderer turns the cube
// (the specular term switches on there).
Turn rotation(const DrawRotation& r)
{
    const float radians = static_cast<float>(r.angle * M_PI / 180.0);
    const float s = std::sin(radians), c = std::cos(radians), t = 1.0f - c;
    const float x = r.x, y = r.y, z = r.z;
    return { { { t * x * x + c, t * x * y - s * z, t * x * z + s * y },
        { t * x * y + s * z, t * y * y + c, t * y * z - s * x },
        { t * x * z - s * y, t * y * z + s * x, t * z * z + c } } };
}

Turn times(const Turn& a, const Turn& b)
{
    Turn out {};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 3; ++k)
                out.m[i][j] += a.m[i][k] * b.m[k][j];
    return out;
}

// The rotations in drawCube's order: the first is outermost.
Turn turnFor(Orientation orientation)
{
    const DrawRotations steps = drawRotations(orientation);
    Turn out = identity();
    for (int i = 0; i < steps.count; ++i)
        out = times(out, rotation(steps.steps[i]));
    return out;
}

void apply(const Turn& turn, float x, float y, float z, float& ox, float& oy, float& oz)
{
    ox = turn.m[0][0] * x + turn.m[0][1] * y + turn.m[0][2] * z;
    oy = turn.m[1][0] * x + turn.m[1][1] * y + turn.m[1][2] * z;
    oz = turn.m[2][0] * x + turn.m[2][1] * y + turn.m[2][2] * z;
}

// Which side of the cell [c, c + 1] an eye coordinate is on: -1, 0 or 1.
int side(float eye, int c)
{
    return eye > c + 1 ? 1 : eye < c ? -1 : 0;
}

int sideIndex(int sx, int sy, int sz)
{
    return (sx + 1) * 9 + (sy + 1) * 3 + (sz + 1);
}

// How far a line of sight may lean away from the plane of a gap and still
// run inside it for a unit of length. Between two faces the gap is 0.04
// wide; along an edge, where four chamfers meet, it opens to a channel about
// 0.18 across, which the line must follow on two axes at once. Both taken
// half as much again, to be safe.
constexpr float AlongGap = 0.06f;
// From a cube's centre to its farthest corner, and a little more.
constexpr float CubeRadius = 0.9f;
constexpr float AlongChannel = 0.27f;

// The cube's polygons: 8 corner triangles, then 6 faces and 12 bevel strips.
constexpr int PolygonCount = 8 + 6 + 12;

int polygonFirstIndex(int p)
{
    return p < 8 ? 3 * p : CubeTriangleVertices + 6 * (p - 8);
}

int polygonIndexCount(int p)
{
    return p < 8 ? 3 : 6;
}

// Each polygon's plane, turned to each orientation: the outward normal and
// the plane's distance from the cube's centre.
struct PolygonPlanes {
    float normal[OrientationCount][PolygonCount][3];
    float offset[PolygonCount];
};

const PolygonPlanes& polygonPlanes()
{
    static const PolygonPlanes planes = [] {
        PolygonPlanes out {};
        const auto& vertices = cubeVertices();
        const auto& triangles = cubeTriangleIndices();
        for (int p = 0; p < PolygonCount; ++p) {
            const CubeVertex& v = vertices[triangles[static_cast<std::size_t>(polygonFirstIndex(p))]];
            out.offset[p] = v.nx * v.x + v.ny * v.y + v.nz * v.z;
            for (int o = 0; o < OrientationCount; ++o) {
                const Turn turn = turnFor(static_cast<Orientation>(o));
                float* n = out.normal[o][p];
                apply(turn, v.nx, v.ny, v.nz, n[0], n[1], n[2]);
            }
        }
        return out;
    }();
    return planes;
}

// Occupied cells of a box of the grid, counted in constant time.
class Occupancy {
public:
    Occupancy(int x0, int y0, int z0, int x1, int y1, int z1)
        : x0_(x0)
        , y0_(y0)
        , z0_(z0)
        , nx_(x1 - x0 + 2)
        , ny_(y1 - y0 + 2)
        , nz_(z1 - z0 + 2)
        , sums_(static_cast<std::size_t>(nx_) * ny_ * nz_, 0)
    {
    }

    void mark(int x, int y, int z) { at(x - x0_ + 1, y - y0_ + 1, z - z0_ + 1) = 1; }

    // Turns the marks into running sums; call once, after every mark.
    void sum()
    {
        for (int x = 1; x < nx_; ++x)
            for (int y = 1; y < ny_; ++y)
                for (int z = 1; z < nz_; ++z)
                    at(x, y, z) += at(x - 1, y, z) + at(x, y - 1, z) + at(x, y, z - 1) - at(x - 1, y - 1, z)
                        - at(x - 1, y, z - 1) - at(x, y - 1, z - 1) + at(x - 1, y - 1, z - 1);
    }

    // Occupied cells in the box from (xa, ya, za) to (xb, yb, zb), both included.
    int count(int xa, int ya, int za, int xb, int yb, int zb) const
    {
        xa = std::max(xa - x0_, 0);
        ya = std::max(ya - y0_, 0);
        za = std::max(za - z0_, 0);
        xb = std::min(xb - x0_ + 1, nx_ - 1);
        yb = std::min(yb - y0_ + 1, ny_ - 1);
        zb = std::min(zb - z0_ + 1, nz_ - 1);
        if (xa >= xb || ya >= yb || za >= zb)
            return 0;
        return get(xb, yb, zb) - get(xa, yb, zb) - get(xb, ya, zb) - get(xb, yb, za) + get(xa, ya, zb) + get(xa, yb, za)
            + get(xb, ya, za) - get(xa, ya, za);
    }

private:
    int& at(int x, int y, int z) { return sums_[(static_cast<std::size_t>(x) * ny_ + y) * nz_ + z]; }
    int get(int x, int y, int z) const { return sums_[(static_cast<std::size_t>(x) * ny_ + y) * nz_ + z]; }

    int x0_, y0_, z0_, nx_, ny_, nz_;
    std::vector<int> sums_;
};

} // namespace

float nearPlaneReach()
{
    GLdouble m[16];
    glGetDoublev(GL_PROJECTION_MATRIX, m);
    if (m[11] == 0.0 || m[0] == 0.0 || m[5] == 0.0)
        return 1e9f; // not a perspective: anything may be cut
    const double zNear = m[14] / (m[10] - 1.0);
    const double halfWidth = (1.0 + std::fabs(m[8])) / std::fabs(m[0]);
    const double halfHeight = (1.0 + std::fabs(m[9])) / std::fabs(m[5]);
    return static_cast<float>(std::fabs(zNear) * std::sqrt(1.0 + halfWidth * halfWidth + halfHeight * halfHeight));
}

bool nearPlaneMayCut(const float eye[3], float nearCut, int x, int y, int z)
{
    const float e[3] = { eye[0] - (x + 0.5f), eye[1] - (y + 0.5f), eye[2] - (z + 0.5f) };
    return e[0] * e[0] + e[1] * e[1] + e[2] * e[2] < (nearCut + CubeRadius) * (nearCut + CubeRadius);
}

void placeCubeVertices(
    int x, int y, int z, Orientation orientation, const float colour[4], std::vector<CubeBatch::Vertex>& out)
{
    const Turn turn = turnFor(orientation);
    const float cx = x + 0.5f, cy = y + 0.5f, cz = z + 0.5f;
    for (const CubeVertex& v : cubeVertices()) {
        CubeBatch::Vertex placed;
        placed.s = v.s;
        placed.t = v.t;
        placed.r = colour[0];
        placed.g = colour[1];
        placed.b = colour[2];
        placed.a = colour[3];
        apply(turn, v.nx, v.ny, v.nz, placed.nx, placed.ny, placed.nz);
        apply(turn, v.x, v.y, v.z, placed.x, placed.y, placed.z);
        placed.x += cx;
        placed.y += cy;
        placed.z += cz;
        out.push_back(placed);
    }
}

void CubeBatch::add(const Material& material, int x, int y, int z, Orientation orientation)
{
    const std::uint32_t texture = textureNames_.indexOf(material.textureName);
    cubes_.push_back(Cube { x, y, z, orientation, texture, static_cast<std::uint32_t>(vertexCount_) });
    colours_.push_back({ material.red, material.green, material.blue });
    const float colour[4] = { material.red, material.green, material.blue, 1.0f };
    placeCubeVertices(x, y, z, orientation, colour, vertices_);
    vertexCount_ += CubeVertexCount;
    depthsKnown_ = false;
    ++version_;
}

void CubeBatch::clear()
{
    cubes_.clear();
    colours_.clear();
    textureNames_.clear();
    vertices_.clear();
    vertices_.shrink_to_fit();
    vertexCount_ = 0;
    depthsKnown_ = false;
    ++version_;
}

void CubeBatch::placeVertices()
{
    vertices_.clear();
    vertices_.reserve(vertexCount_);
    for (std::size_t i = 0; i < cubes_.size(); ++i) {
        const Cube& c = cubes_[i];
        const float colour[4] = { colours_[i][0], colours_[i][1], colours_[i][2], 1.0f };
        placeCubeVertices(c.x, c.y, c.z, c.orientation, colour, vertices_);
    }
}

void CubeBatch::findBuriedDepths()
{
    int lo[3] = { cubes_[0].x, cubes_[0].y, cubes_[0].z }, hi[3] = { lo[0], lo[1], lo[2] };
    for (const Cube& c : cubes_) {
        const int at[3] = { c.x, c.y, c.z };
        for (int a = 0; a < 3; ++a) {
            lo[a] = std::min(lo[a], at[a]);
            hi[a] = std::max(hi[a], at[a]);
        }
    }
    Occupancy occupied(lo[0], lo[1], lo[2], hi[0], hi[1], hi[2]);
    for (const Cube& c : cubes_)
        occupied.mark(c.x, c.y, c.z);
    occupied.sum();

    // The cells from the cube out to k on the eye's side of each axis (both
    // ways on an axis the eye is level with) must all be occupied for the
    // cube to lie k deep.
    const int most = std::max({ hi[0] - lo[0], hi[1] - lo[1], hi[2] - lo[2], 1 });
    for (Cube& c : cubes_) {
        for (int sx = -1; sx <= 1; ++sx)
            for (int sy = -1; sy <= 1; ++sy)
                for (int sz = -1; sz <= 1; ++sz) {
                    int k = 0;
                    while (k < most && k < 255) {
                        const int n = k + 1;
                        const int xa = c.x + (sx > 0 ? 0 : -n), xb = c.x + (sx < 0 ? 0 : n);
                        const int ya = c.y + (sy > 0 ? 0 : -n), yb = c.y + (sy < 0 ? 0 : n);
                        const int za = c.z + (sz > 0 ? 0 : -n), zb = c.z + (sz < 0 ? 0 : n);
                        if (occupied.count(xa, ya, za, xb, yb, zb) != (xb - xa + 1) * (yb - ya + 1) * (zb - za + 1))
                            break;
                        k = n;
                    }
                    c.buried[sideIndex(sx, sy, sz)] = static_cast<std::uint8_t>(k);
                }
    }
    depthsKnown_ = true;
}

void CubeBatch::findVisible(const float eye[3], float nearCut)
{
    visible_.clear();
    for (std::size_t i = 0; i < cubes_.size(); ++i) {
        const Cube& c = cubes_[i];
        const float dx = eye[0] - (c.x + 0.5f), dy = eye[1] - (c.y + 0.5f), dz = eye[2] - (c.z + 0.5f);
        const float distance2 = dx * dx + dy * dy + dz * dz;
        // Covering cubes the near plane may cut away cover nothing: count
        // only the layers wholly beyond its reach (a cell's centre lies
        // within 1.8 of the next layer's).
        const float clear = std::sqrt(distance2) - nearCut - CubeRadius;
        const int layersBeyond = clear > 0 ? static_cast<int>(clear / 1.8f) : 0;
        const int depth
            = std::min<int>(layersBeyond, c.buried[sideIndex(side(eye[0], c.x), side(eye[1], c.y), side(eye[2], c.z))]);
        bool seen = depth == 0;
        if (!seen) {
            // A line of sight to the cube runs at least `depth` inside the
            // gaps. How much it leans off each axis's planes, at the least:
            const float reach = std::sqrt(distance2) + 0.87f;
            const int cell[3] = { c.x, c.y, c.z };
            float lean[3];
            for (int axis = 0; axis < 3; ++axis)
                lean[axis] = std::max({ 0.0f, cell[axis] - eye[axis], eye[axis] - (cell[axis] + 1) }) / reach * depth;
            std::sort(lean, lean + 3);
            seen = lean[0] < AlongGap || lean[0] + lean[1] < AlongChannel;
        }
        if (seen)
            visible_.emplace_back(distance2, i);
    }
    std::sort(visible_.begin(), visible_.end());
}

bool CubeBatch::upload(RenderContext& context, Kept& kept)
{
    if (!context.hasBuffers())
        return false;
    if (kept.vertexBuffer == 0) {
        kept.vertexBuffer = context.newBuffer();
        kept.indexBuffer = context.newBuffer();
    }
    if (kept.vertexBuffer == 0 || kept.indexBuffer == 0)
        return false;
    if (vertices_.empty())
        placeVertices();
    glBindBuffer(GL_ARRAY_BUFFER, kept.vertexBuffer);
    glBufferData(
        GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices_.size() * sizeof(Vertex)), vertices_.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    // The buffer holds them now.
    vertices_.clear();
    vertices_.shrink_to_fit();
    kept.uploaded = version_;
    return true;
}

bool CubeBatch::retryMissingTextures(RenderContext& context)
{
    Kept& kept = context.kept<Kept>(key_);
    if (kept.resolved != version_)
        return false;
    return textureNames_.lookUpMissing(context, kept.textures);
}

void CubeBatch::draw(RenderContext& context, const float eye[3], float nearCut)
{
    if (cubes_.empty())
        return;
    if (!depthsKnown_)
        findBuriedDepths();
    Kept& kept = context.kept<Kept>(key_);
    if (kept.resolved != version_) {
        textureNames_.lookUp(context, kept.textures);
        kept.resolved = version_;
    }
    const bool buffered = kept.uploaded == version_ || upload(context, kept);
    if (!buffered && vertices_.empty())
        placeVertices();

    findVisible(eye, nearCut);
    const auto& triangles = cubeTriangleIndices();
    const PolygonPlanes& planes = polygonPlanes();

    // One run of indices per texture, each nearest first; cubes the near
    // plane may cut open show their inside, and go whole in a run of their own.
    runs_.clear();
    indices_.clear();
    textures_.clear();
    for (const auto& seen : visible_)
        if (std::find(textures_.begin(), textures_.end(), cubes_[seen.second].texture) == textures_.end())
            textures_.push_back(cubes_[seen.second].texture);
    for (std::uint32_t texture : textures_)
        for (bool cull : { true, false }) {
            const std::size_t first = indices_.size();
            for (const auto& seen : visible_) {
                const Cube& c = cubes_[seen.second];
                const float e[3] = { eye[0] - (c.x + 0.5f), eye[1] - (c.y + 0.5f), eye[2] - (c.z + 0.5f) };
                const bool cut = nearPlaneMayCut(eye, nearCut, c.x, c.y, c.z);
                if (c.texture != texture || cut == cull)
                    continue;
                // Only the polygons turned towards the eye (with a little to
                // spare: the renderer culls the rest exactly).
                const auto& normals = planes.normal[c.orientation < OrientationCount ? c.orientation : 0];
                for (int p = 0; p < PolygonCount; ++p) {
                    const float* n = normals[p];
                    if (cull && n[0] * e[0] + n[1] * e[1] + n[2] * e[2] <= planes.offset[p] - 0.01f)
                        continue;
                    const int from = polygonFirstIndex(p), count = polygonIndexCount(p);
                    for (int t = from; t < from + count; ++t)
                        indices_.push_back(c.firstVertex + triangles[static_cast<std::size_t>(t)]);
                }
            }
            if (indices_.size() > first)
                runs_.push_back(Run { texture, cull, first, indices_.size() - first });
        }

    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    const char* indexBase = reinterpret_cast<const char*>(indices_.data());
    if (buffered) {
        glBindBuffer(GL_ARRAY_BUFFER, kept.vertexBuffer);
        glInterleavedArrays(GL_T2F_C4F_N3F_V3F, 0, nullptr);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, kept.indexBuffer);
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices_.size() * sizeof(std::uint32_t)),
            indices_.data(), GL_STREAM_DRAW);
        indexBase = nullptr;
    } else {
        glInterleavedArrays(GL_T2F_C4F_N3F_V3F, 0, vertices_.data());
    }
    for (const Run& run : runs_) {
        // The cubes are closed and opaque: unless the near plane cuts one
        // open, a face turned away from the eye is behind one of its own.
        if (run.cull)
            glEnable(GL_CULL_FACE);
        const unsigned texture = kept.textures[run.texture];
        if (texture != 0) {
            glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
            glBindTexture(GL_TEXTURE_2D, texture);
            glEnable(GL_TEXTURE_2D);
        }
        glDrawRangeElements(GL_TRIANGLES, 0, static_cast<GLuint>(vertexCount_ - 1), static_cast<GLsizei>(run.count),
            GL_UNSIGNED_INT, indexBase + run.first * sizeof(std::uint32_t));
        if (texture != 0)
            glDisable(GL_TEXTURE_2D);
        glDisable(GL_CULL_FACE);
    }
    if (buffered) {
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
    }
    glPopClientAttrib();
}

} // namespace cubrava
