# Text on screen: font layer, Status.dat, side panel and menu, status overlay.
cubrava_add_tests(text_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/TextFontTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StatusMessagesTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StatusOverlayTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HudTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MenuTest.cpp
  LIBS cubrava_render)
# The tests measure the font the build ships and read the shipped messages.
target_compile_definitions(text_tests PRIVATE
  CUBRAVA_TEST_FONT="${CUBRAVA_RUN_DIR}/fonts/bnkgothm.ttf"
  CUBRAVA_SHIPPED_STATUS="${CMAKE_SOURCE_DIR}/content/Config/Status.dat")
add_dependencies(text_tests cubrava_font)

# A window with the panel, menu and a status message, and the screenshot checks
# that run it under a private X server.
add_executable(hud_demo ${CMAKE_CURRENT_LIST_DIR}/HudDemo.cpp)
target_link_libraries(hud_demo PRIVATE cubrava_render cubrava_warnings)
add_dependencies(hud_demo cubrava_font)
add_test(NAME HudScreenCheck
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/with-xvfb
    ${CMAKE_CURRENT_LIST_DIR}/HudScreenCheck.sh $<TARGET_FILE:hud_demo> ${CUBRAVA_RUN_DIR})
set_tests_properties(HudScreenCheck PROPERTIES TIMEOUT ${CUBRAVA_SCREEN_TEST_TIMEOUT})
