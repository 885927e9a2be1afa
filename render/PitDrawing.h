#pragma once

namespace cubrava {

class PlayField;

// What the scene's display lists hold. Each runs with the camera transform
// applied and leaves the state it enabled disabled again.

// The static list: clears the window, then the grid, the lights and every
// landed cube.
void drawStaticContent(const PlayField& play);

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

// Every occupied cell of the grid, headroom included.
void drawLandedCubes(const PlayField& play);

// Binds, outside any list compilation, the textures the contents above will need.
void prepareStaticTextures(const PlayField& play);
void preparePieceTextures(const PlayField& play);

} // namespace cubrava
