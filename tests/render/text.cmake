# Text on screen: font layer, Status.dat, side panel and menu, status overlay.
cubrava_add_tests(text_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/TextFontTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GlyphAtlasTest.cpp
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

# Text from the glyph textures against the same screens drawn with glDrawPixels,
# in the runtime folder for the shipped font, messages and panel image.
add_executable(text_equality_tests ${CMAKE_CURRENT_LIST_DIR}/TextEqualityTest.cpp)
target_link_libraries(text_equality_tests PRIVATE cubrava_render GTest::gtest cubrava_warnings)
target_include_directories(text_equality_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_compile_definitions(text_equality_tests PRIVATE CUBRAVA_TEST_FONT="${CUBRAVA_RUN_DIR}/fonts/bnkgothm.ttf")
add_dependencies(text_equality_tests cubrava_font cubrava_assets)
add_test(NAME text_equality_tests
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/with-xvfb $<TARGET_FILE:text_equality_tests>
  WORKING_DIRECTORY ${CUBRAVA_RUN_DIR})
set_tests_properties(text_equality_tests PROPERTIES TIMEOUT ${CUBRAVA_SCREEN_TEST_TIMEOUT})
