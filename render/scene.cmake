# The 3D scene: camera, pit and cube drawing, textures, preview, particles,
# and the GLUT implementations of the display and timer services.
list(APPEND CUBRAVA_RENDER_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ViewRect.h
  ${CMAKE_CURRENT_LIST_DIR}/Camera.h
  ${CMAKE_CURRENT_LIST_DIR}/Camera.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CameraControl.h
  ${CMAKE_CURRENT_LIST_DIR}/CameraControl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ViewSector.h
  ${CMAKE_CURRENT_LIST_DIR}/ViewSector.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CubeGeometry.h
  ${CMAKE_CURRENT_LIST_DIR}/CubeGeometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CubeDrawing.h
  ${CMAKE_CURRENT_LIST_DIR}/CubeDrawing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PitDrawing.h
  ${CMAKE_CURRENT_LIST_DIR}/PitDrawing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextureLoader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Effect.h
  ${CMAKE_CURRENT_LIST_DIR}/EffectList.h
  ${CMAKE_CURRENT_LIST_DIR}/EffectList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ParticleArrays.h
  ${CMAKE_CURRENT_LIST_DIR}/ParticleArrays.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SparkBurst.h
  ${CMAKE_CURRENT_LIST_DIR}/SparkBurst.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShardBurst.h
  ${CMAKE_CURRENT_LIST_DIR}/ShardBurst.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SceneView.h
  ${CMAKE_CURRENT_LIST_DIR}/SceneView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SceneViewDrawing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PreviewView.h
  ${CMAKE_CURRENT_LIST_DIR}/PreviewView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RedisplayRequest.h
  ${CMAKE_CURRENT_LIST_DIR}/RedisplayRequest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GlutDisplay.h
  ${CMAKE_CURRENT_LIST_DIR}/GlutDisplay.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GlutTimers.h
  ${CMAKE_CURRENT_LIST_DIR}/GlutTimers.cpp
)
