# The editing view: its rules without a display, and on a private X display
# the GL side and the program itself (cubrava-editor --view-only).
cubrava_add_tests(editor_view_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/EditorViewTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HitRecordsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ViewThreadTest.cpp
  LIBS cubrava_editor_view)

set(with_xvfb ${CMAKE_SOURCE_DIR}/scripts/with-xvfb --screen=1280x1024x24)
add_executable(editor_view_gl_tests ${CMAKE_CURRENT_LIST_DIR}/EditorViewGlTest.cpp)
target_link_libraries(editor_view_gl_tests PRIVATE cubrava_editor_view GTest::gtest cubrava_warnings)
target_include_directories(editor_view_gl_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
add_test(NAME editor.view_gl COMMAND ${with_xvfb} $<TARGET_FILE:editor_view_gl_tests>)
set_tests_properties(editor.view_gl PROPERTIES TIMEOUT 180)
