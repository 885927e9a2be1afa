# cmake -DCUBRAVA_ASAN=ON builds every target with AddressSanitizer and
# UndefinedBehaviorSanitizer. Undefined behaviour ends the program, so a test
# that meets it fails. Every program of such a build carries the options and
# suppressions of cmake/sanitizers/, so whatever starts it (ctest, a test
# script under Xvfb, make run) gets them without setting anything.
option(CUBRAVA_ASAN "Build everything with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
# cmake -DCUBRAVA_FUZZ=ON (with Clang) adds the libFuzzer targets of fuzz/ and
# builds everything they use with coverage for the fuzzer and both sanitizers.
# scripts/fuzz sets up such a folder (build-fuzz) and runs them.
option(CUBRAVA_FUZZ "Build the libFuzzer targets of fuzz/ (Clang only)" OFF)

if(CUBRAVA_ASAN)
  if(CUBRAVA_TSAN)
    message(FATAL_ERROR "CUBRAVA_ASAN and CUBRAVA_TSAN need build folders of their own")
  endif()
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(CUBRAVA_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "CUBRAVA_FUZZ needs Clang (libFuzzer): scripts/fuzz configures it")
  endif()
  if(CUBRAVA_ASAN OR CUBRAVA_TSAN)
    message(FATAL_ERROR "CUBRAVA_FUZZ brings its own sanitizers: use a build folder of its own")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# Called once every target exists: gives each program the built-in options.
function(cubrava_add_sanitizer_options)
  if(NOT CUBRAVA_ASAN)
    return()
  endif()
  set(CUBRAVA_SANITIZER_DIR ${CMAKE_SOURCE_DIR}/cmake/sanitizers)
  set(options ${CMAKE_BINARY_DIR}/SanitizerOptions.cpp)
  configure_file(${CUBRAVA_SANITIZER_DIR}/DefaultOptions.cpp.in ${options} @ONLY)
  set(dirs ${CMAKE_SOURCE_DIR})
  while(dirs)
    list(POP_FRONT dirs dir)
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    list(APPEND dirs ${subdirs})
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
      get_target_property(type ${target} TYPE)
      if(type STREQUAL "EXECUTABLE")
        target_sources(${target} PRIVATE ${options})
      endif()
    endforeach()
  endwhile()
endfunction()
