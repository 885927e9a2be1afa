# The editing view: its rules without a display, and on a private X display
# the GL side and the program itself (cubrava-editor --view-only).
cubrava_add_tests(editor_view_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/EditorViewTest.cpp
  LIBS cubrava_editor_view)

set(with_xvfb ${CMAKE_SOURCE_DIR}/scripts/with-xvfb --screen=1280x1024x24)
add_executable(editor_view_gl_tests ${CMAKE_CURRENT_LIST_DIR}/EditorViewGlTest.cpp)
target_link_libraries(editor_view_gl_tests PRIVATE cubrava_editor_view GTest::gtest cubrava_warnings)
target_include_directories(editor_view_gl_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
add_test(NAME editor.view_gl COMMAND ${with_xvfb} $<TARGET_FILE:editor_view_gl_tests>)
set_tests_properties(editor.view_gl PROPERTIES TIMEOUT ${CUBRAVA_SCREEN_TEST_TIMEOUT})

# The cubes drawn from kept buffers against the same view drawn cube by cube.
add_executable(editor_view_equality_tests ${CMAKE_CURRENT_LIST_DIR}/EditEqualityTest.cpp)
target_link_libraries(editor_view_equality_tests PRIVATE cubrava_editor_reference GTest::gtest cubrava_warnings)
target_include_directories(editor_view_equality_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
add_test(NAME editor.view_equality COMMAND ${with_xvfb} $<TARGET_FILE:editor_view_equality_tests>)
set_tests_properties(editor.view_equality PROPERTIES TIMEOUT ${CUBRAVA_SCREEN_TEST_TIMEOUT})

# The program itself, through the screen and xdotool.
add_executable(editor_view_screen_tests
  ${CMAKE_CURRENT_LIST_DIR}/ViewScreenTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ViewProjection.cpp
  ${CMAKE_SOURCE_DIR}/tests/e2e/GameProcess.cpp
  ${CMAKE_SOURCE_DIR}/tests/e2e/Desktop.cpp
  ${CMAKE_SOURCE_DIR}/tests/e2e/ScreenShot.cpp)
target_link_libraries(editor_view_screen_tests PRIVATE cubrava_render cubrava_data cubrava_platform Cubrava::X11
  GTest::gtest GTest::gtest_main cubrava_warnings)
target_compile_definitions(editor_view_screen_tests PRIVATE CUBRAVA_RUN_DIR="${CUBRAVA_RUN_DIR}")
target_include_directories(editor_view_screen_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
add_dependencies(editor_view_screen_tests cubrava-editor)
add_test(NAME editor.view_on_screen COMMAND ${with_xvfb} $<TARGET_FILE:editor_view_screen_tests>)
set_tests_properties(editor.view_on_screen PROPERTIES TIMEOUT ${CUBRAVA_SCREEN_TEST_TIMEOUT})
