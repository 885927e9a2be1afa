#pragma once

namespace cubrava {

class CubeBatch;
class Pit;
class PlayField;

// How the landed cubes are drawn: gathered into a CubeBatch that the view
// draws each frame, only the cubes that can be seen (the game's way), or one
// by one with drawCube inside the static list (slower; the picture the batch
// must match).
enum class LandedCubes { Batched, OneByOne };

// What the scene's display lists hold. Each runs with the camera transform
// applied and leaves the state it enabled disabled again.

// The static list: clears the window, then the grid and the lights; then
// every landed cube when they are drawn one by one.
void drawStaticContent(const Pit& pit, LandedCubes how);

// The piece list: the falling piece with its wall markers and landing ghost;
// nothing while no piece falls.
void drawPieceContent(const PlayField& play);

// The grey wire grid on the floor and the four walls, up to the rim.
void drawPitGrid(int width, int depth, int height);

// Shading, the colours of the two scene lights, the cubes' material and the
// ambient light: once for each new rendering context.
void initSceneLights();

// The two scene lights, fixed in pit coordinates under the current modelview.
void placeSceneLights();

// Every occupied cell of the grid, headroom included, with drawCube.
void drawLandedCubes(const Pit& pit);

// The same cubes into a batch, which should be empty.
void gatherLandedCubes(const Pit& pit, CubeBatch& batch);

// Draws a batch of landed cubes from the eye of the current modelview, in
// the lights of the static content.
void drawLandedBatch(CubeBatch& batch);

// Binds, outside any list compilation, the textures the contents above will need.
void prepareStaticTextures(const Pit& pit);
void preparePieceTextures(const PlayField& play);

} // namespace cubrava
