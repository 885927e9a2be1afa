# Fails when a C or C++ file of the tree is not as the root .clang-format lays
# it out. Run as
#   cmake -DSOURCE_DIR=<source> -DCLANG_FORMAT=<program> -P CheckFormat.cmake
cmake_minimum_required(VERSION 3.20)

if(NOT CLANG_FORMAT)
  message(FATAL_ERROR "clang-format was not found when the build was configured (Debian package clang-format)")
endif()
file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.cpp ${SOURCE_DIR}/*.c)
# Build folders hold generated sources.
list(FILTER files EXCLUDE REGEX "^(build[^/]*|\\.git)/")
if(NOT files)
  message(FATAL_ERROR "no sources under ${SOURCE_DIR}")
endif()
execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${files}
  WORKING_DIRECTORY ${SOURCE_DIR}
  RESULT_VARIABLE status
  ERROR_VARIABLE complaints)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "Not formatted (run clang-format -i on these files):\n${complaints}")
endif()
list(LENGTH files count)
message(STATUS "${count} files formatted as .clang-format says")
