# The layers as the build links them, written for the include check
# (tests/tree/CheckIncludes.cmake): for every library and program of the
# product, its folder, the folders of the libraries it links (directly or
# through their public links) and the outside libraries it links. A file may
# include a header of its own folder, of those folders, and of those outside
# libraries only.

# Headers of the outside libraries, by the imported target that brings them.
set(CUBRAVA_OUTSIDE_HEADERS
  "PkgConfig::TINYXML=tinyxml.h"
  "PkgConfig::FREETYPE=ft2build.h,freetype/"
  "PkgConfig::GLUT=GL/"
  "PkgConfig::X11=X11/"
  "Cubrava::PlibSl=plib/"
  "Cubrava::Fltk=FL/")

function(cubrava_targets_below folder out)
  get_property(targets DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subfolders DIRECTORY ${folder} PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subfolders)
    cubrava_targets_below(${sub} more)
    list(APPEND targets ${more})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

# The targets a target's headers may come from: what it links, then what
# those link publicly. Link-only entries of static libraries give no headers.
function(cubrava_linked_closure target out)
  get_target_property(pending ${target} LINK_LIBRARIES)
  set(seen)
  while(pending)
    list(POP_FRONT pending item)
    if(NOT item OR item MATCHES "^\\$<" OR NOT TARGET ${item})
      continue()
    endif()
    get_target_property(aliased ${item} ALIASED_TARGET)
    if(aliased)
      set(item ${aliased})
    endif()
    if(item IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${item})
    get_target_property(public ${item} INTERFACE_LINK_LIBRARIES)
    if(public)
      list(APPEND pending ${public})
    endif()
  endwhile()
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

function(cubrava_write_layer_table file)
  cubrava_targets_below(${CMAKE_SOURCE_DIR} all)
  set(text "# Written by cmake/CubravaLayers.cmake at configure time.\n")
  string(APPEND text "set(OUTSIDE_HEADERS \"${CUBRAVA_OUTSIDE_HEADERS}\")\n")
  set(products)
  foreach(target IN LISTS all)
    get_target_property(type ${target} TYPE)
    get_target_property(folder ${target} SOURCE_DIR)
    file(RELATIVE_PATH folder ${CMAKE_SOURCE_DIR} ${folder})
    if(NOT type MATCHES "^(STATIC_LIBRARY|OBJECT_LIBRARY|EXECUTABLE)$" OR folder MATCHES "^(tests|bench|fuzz)(/|$)")
      continue()
    endif()
    list(APPEND products ${target})
    cubrava_linked_closure(${target} linked)
    set(folders ${folder})
    set(outside)
    foreach(item IN LISTS linked)
      get_target_property(imported ${item} IMPORTED)
      if(imported)
        list(APPEND outside ${item})
      else()
        get_target_property(itemFolder ${item} SOURCE_DIR)
        file(RELATIVE_PATH itemFolder ${CMAKE_SOURCE_DIR} ${itemFolder})
        list(APPEND folders ${itemFolder})
      endif()
    endforeach()
    list(REMOVE_DUPLICATES folders)
    get_target_property(sources ${target} SOURCES)
    set(listed)
    foreach(source IN LISTS sources)
      if(NOT IS_ABSOLUTE ${source})
        set(source ${CMAKE_SOURCE_DIR}/${folder}/${source})
      endif()
      if(source MATCHES "^${CMAKE_SOURCE_DIR}/" AND EXISTS ${source})
        list(APPEND listed ${source})
      endif()
    endforeach()
    string(APPEND text "set(${target}_FOLDER \"${folder}\")\n")
    string(APPEND text "set(${target}_FOLDERS \"${folders}\")\n")
    string(APPEND text "set(${target}_OUTSIDE \"${outside}\")\n")
    string(APPEND text "set(${target}_SOURCES \"${listed}\")\n")
  endforeach()
  string(APPEND text "set(PRODUCTS \"${products}\")\n")
  file(WRITE ${file} "${text}")
endfunction()
