# Fails when a file of game/ or editor/ outside the GLUT edge includes a GLUT
# header: past the callbacks, which translate GLUT's codes once
# (render/GlutInput.h), the game and the editor see only their own input
# types. Run as
#   cmake -DSOURCE_DIR=<source> -P CheckGlutEdge.cmake
cmake_minimum_required(VERSION 3.20)

# The files that talk to GLUT.
set(edge
  game/main.cpp
  game/GlutScreen.cpp
  editor/view/ViewThread.cpp
  editor/view/ViewWindow.cpp)

file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR}
  ${SOURCE_DIR}/game/*.h ${SOURCE_DIR}/game/*.cpp
  ${SOURCE_DIR}/editor/*.h ${SOURCE_DIR}/editor/*.cpp)
if(NOT files)
  message(FATAL_ERROR "no files under ${SOURCE_DIR}/game or ${SOURCE_DIR}/editor")
endif()

set(problems "")
foreach(file IN LISTS files)
  if(file IN_LIST edge)
    continue()
  endif()
  file(STRINGS ${SOURCE_DIR}/${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*<GL/(freeglut|glut)")
  foreach(line IN LISTS lines)
    string(APPEND problems "${file}: ${line}\n")
  endforeach()
endforeach()

if(problems)
  message(FATAL_ERROR "GLUT included outside the GLUT edge of game/ and editor/:\n${problems}")
endif()
list(JOIN edge ", " shown)
message(STATUS "GLUT is included in game/ and editor/ only by ${shown}")
