# Text on screen: the font layer, the side panel with its menu, status messages.
list(APPEND CUBRAVA_RENDER_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/TextFont.h
  ${CMAKE_CURRENT_LIST_DIR}/TextFont.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GlyphAtlas.h
  ${CMAKE_CURRENT_LIST_DIR}/GlyphAtlas.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MenuButton.h
  ${CMAKE_CURRENT_LIST_DIR}/MenuButton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MenuButtons.h
  ${CMAKE_CURRENT_LIST_DIR}/MenuButtons.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Hud.h
  ${CMAKE_CURRENT_LIST_DIR}/Hud.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StatusMessages.h
  ${CMAKE_CURRENT_LIST_DIR}/StatusMessages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StatusOverlay.h
  ${CMAKE_CURRENT_LIST_DIR}/StatusOverlay.cpp
)
