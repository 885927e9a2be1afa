# The main dialog and "Create New Level", and the program's start-up and
# endings around them: their logic, headless and tested without a display,
# and their FLTK widgets.
add_library(cubrava_editor_dialog STATIC
  DialogControls.h
  EditorDesktop.h
  EditorApp.cpp
  ViewRunner.h
  LevelEditorDialog.cpp
  NewLevelDialog.cpp
  TextureEntries.cpp
)
target_include_directories(cubrava_editor_dialog PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(cubrava_editor_dialog PUBLIC cubrava_data PRIVATE cubrava_warnings)

# The same on FLTK, for the editor program.
add_library(cubrava_editor_widgets STATIC
  DialogUnits.cpp
  GroupFrame.cpp
  ModalLoop.cpp
  NumberInput.cpp
  NewLevelWindow.cpp
  LevelEditorWindow.cpp
  MainThreadQueue.cpp
  ViewEventRelay.cpp
  ToolkitDesktop.cpp
)
target_include_directories(cubrava_editor_widgets PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(cubrava_editor_widgets
  PUBLIC cubrava_editor_dialog cubrava_platform cubrava_icon Cubrava::Fltk
  PRIVATE cubrava_warnings)
