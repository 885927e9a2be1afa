# The 3D editing view: its edit state and input rules (headless), its OpenGL
# drawing and selection-mode picking, its GLUT window and the thread that runs it.
add_library(cubrava_editor_view STATIC
  ${CMAKE_CURRENT_LIST_DIR}/EditingView.h
  ${CMAKE_CURRENT_LIST_DIR}/ViewListener.h
  ${CMAKE_CURRENT_LIST_DIR}/PickNames.h
  ${CMAKE_CURRENT_LIST_DIR}/Selection.h
  ${CMAKE_CURRENT_LIST_DIR}/Selection.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HitRecords.h
  ${CMAKE_CURRENT_LIST_DIR}/HitRecords.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CellPicker.h
  ${CMAKE_CURRENT_LIST_DIR}/ViewWindowService.h
  ${CMAKE_CURRENT_LIST_DIR}/EditorView.h
  ${CMAKE_CURRENT_LIST_DIR}/EditorView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EditDrawing.h
  ${CMAKE_CURRENT_LIST_DIR}/EditorViewDrawing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ViewCubes.h
  ${CMAKE_CURRENT_LIST_DIR}/ViewCubes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SelectionPicker.h
  ${CMAKE_CURRENT_LIST_DIR}/SelectionPicker.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ViewWindow.h
  ${CMAKE_CURRENT_LIST_DIR}/ViewWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GlutEditorView.h
  ${CMAKE_CURRENT_LIST_DIR}/GlutEditorView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ViewRunner.h
  ${CMAKE_CURRENT_LIST_DIR}/ViewThread.h
  ${CMAKE_CURRENT_LIST_DIR}/ViewThread.cpp
)
target_include_directories(cubrava_editor_view PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(cubrava_editor_view
  PUBLIC cubrava_render cubrava_model cubrava_data cubrava_platform cubrava_icon Threads::Threads
  PRIVATE cubrava_warnings)

# The program, started from the run folder like the game: the splash, the view
# and the main dialog (or, with --view-only, the view alone).
add_executable(cubrava-editor ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(cubrava-editor PRIVATE cubrava_editor_view cubrava_editor_widgets cubrava_platform
  cubrava_splash cubrava_icon cubrava_warnings)
set_target_properties(cubrava-editor PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CUBRAVA_RUN_DIR})
# Installed, it finds its data from its own folder.
target_compile_definitions(cubrava-editor PRIVATE CUBRAVA_DATA_FROM_PROGRAM="${CUBRAVA_DATA_FROM_PROGRAM}")
add_dependencies(cubrava-editor cubrava_config cubrava_assets)
