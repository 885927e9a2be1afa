# The editing view: its rules without a display, and on a private X display
# the GL side and the program itself (cubrava-editor --view-only).
cubrava_add_tests(editor_view_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/EditorViewTest.cpp
  LIBS cubrava_editor_view)

cubrava_add_screen_tests(editor_view_gl_tests SCREEN 1280x1024x24 PREFIX editor.view_gl.
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/EditorViewGlTest.cpp
  LIBS cubrava_editor_view)

# The cubes drawn from kept buffers against the same view drawn cube by cube.
cubrava_add_screen_tests(editor_view_equality_tests SCREEN 1280x1024x24 PREFIX editor.view_equality.
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/EditEqualityTest.cpp
  LIBS cubrava_editor_reference)

# The program itself, through the screen and xdotool.
cubrava_add_screen_tests(editor_view_screen_tests SCREEN 1280x1024x24 PREFIX editor.view_on_screen.
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ViewScreenTest.cpp
  LIBS cubrava_screen_helpers cubrava_data)
add_dependencies(editor_view_screen_tests cubrava-editor)
