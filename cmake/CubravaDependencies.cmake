# The system libraries, as imported targets. scripts/install-deps provides them.
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)

pkg_check_modules(TINYXML REQUIRED IMPORTED_TARGET tinyxml)
add_library(Cubrava::TinyXml ALIAS PkgConfig::TINYXML)

pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)
add_library(Cubrava::FreeType ALIAS PkgConfig::FREETYPE)

pkg_check_modules(GLUT REQUIRED IMPORTED_TARGET glut gl glu)
add_library(Cubrava::Gl ALIAS PkgConfig::GLUT)

pkg_check_modules(X11 REQUIRED IMPORTED_TARGET x11)
add_library(Cubrava::X11 ALIAS PkgConfig::X11)

find_library(PLIB_SL plibsl REQUIRED)
find_library(PLIB_UL plibul REQUIRED)
find_path(PLIB_INCLUDE plib/sl.h REQUIRED)
add_library(Cubrava::PlibSl INTERFACE IMPORTED)
target_link_libraries(Cubrava::PlibSl INTERFACE ${PLIB_SL} ${PLIB_UL} Threads::Threads ${CMAKE_DL_LIBS})
target_include_directories(Cubrava::PlibSl INTERFACE ${PLIB_INCLUDE})

find_program(FLTK_CONFIG fltk-config REQUIRED)
execute_process(COMMAND ${FLTK_CONFIG} --cxxflags OUTPUT_VARIABLE FLTK_CXXFLAGS OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${FLTK_CONFIG} --ldflags OUTPUT_VARIABLE FLTK_LDFLAGS OUTPUT_STRIP_TRAILING_WHITESPACE)
separate_arguments(FLTK_CXXFLAGS)
separate_arguments(FLTK_LDFLAGS)
add_library(Cubrava::Fltk INTERFACE IMPORTED)
target_compile_options(Cubrava::Fltk INTERFACE ${FLTK_CXXFLAGS})
target_link_libraries(Cubrava::Fltk INTERFACE ${FLTK_LDFLAGS})

if(CUBRAVA_TESTS)
  find_package(GTest REQUIRED)
  find_package(benchmark REQUIRED)
endif()
