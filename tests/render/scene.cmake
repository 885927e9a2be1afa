# Headless tests of the 3D scene: fakes stand in for the display and the clock.
cubrava_add_tests(scene_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/CameraTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CameraSectorTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CameraControlTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RedisplayRequestTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CubeGeometryTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SceneViewTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EffectTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PreviewTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TextureTest.cpp
  LIBS cubrava_render)

# A window with the scene and preview for screenshots, and the pixel counter
# the screenshot checks use.
add_executable(scene_demo ${CMAKE_CURRENT_LIST_DIR}/SceneDemo.cpp)
target_link_libraries(scene_demo PRIVATE cubrava_render Cubrava::X11 cubrava_warnings)
target_include_directories(scene_demo PRIVATE ${CMAKE_SOURCE_DIR}/tests)

add_executable(shot_check ${CMAKE_CURRENT_LIST_DIR}/ShotCheck.cpp)
target_link_libraries(shot_check PRIVATE cubrava_warnings)

# The same code against a real OpenGL context, and the screenshot checks of
# the demo, each under a private X display.
add_executable(scene_gl_tests ${CMAKE_CURRENT_LIST_DIR}/SceneGlTest.cpp)
target_link_libraries(scene_gl_tests PRIVATE cubrava_render GTest::gtest cubrava_warnings)
target_include_directories(scene_gl_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
add_test(NAME scene_gl_tests COMMAND ${CMAKE_SOURCE_DIR}/scripts/with-xvfb $<TARGET_FILE:scene_gl_tests>)

# A window whose loop runs on a thread of its own, drawn again on request from another.
add_executable(redisplay_wake_tests ${CMAKE_CURRENT_LIST_DIR}/RedisplayWakeTest.cpp)
target_link_libraries(redisplay_wake_tests PRIVATE cubrava_render GTest::gtest cubrava_warnings)
add_test(NAME redisplay_wake_tests COMMAND ${CMAKE_SOURCE_DIR}/scripts/with-xvfb $<TARGET_FILE:redisplay_wake_tests>)

add_test(NAME scene_screenshots
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/with-xvfb ${CMAKE_CURRENT_LIST_DIR}/scene_screenshot_check.sh
    $<TARGET_FILE:scene_demo> $<TARGET_FILE:shot_check>)
set_tests_properties(scene_gl_tests redisplay_wake_tests scene_screenshots PROPERTIES TIMEOUT ${CUBRAVA_SCREEN_TEST_TIMEOUT})

# The batched pit against the same pit drawn cube by cube, pixel for pixel.
add_executable(scene_equality_tests ${CMAKE_CURRENT_LIST_DIR}/SceneEqualityTest.cpp)
target_link_libraries(scene_equality_tests PRIVATE cubrava_render GTest::gtest cubrava_warnings)
target_include_directories(scene_equality_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
add_test(NAME scene_equality_tests COMMAND ${CMAKE_SOURCE_DIR}/scripts/with-xvfb $<TARGET_FILE:scene_equality_tests>)
set_tests_properties(scene_equality_tests PROPERTIES TIMEOUT ${CUBRAVA_SCREEN_TEST_TIMEOUT})
