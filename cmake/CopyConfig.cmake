# Copies the authored configuration files into the runtime folder without ever
# overwriting a file someone changed there (a level designer's Levels.dat
# survives a rebuild). A file is replaced only when it still equals what the
# build put there last time; that copy is kept under LAST_DIR.
#
# Every file is written under a temporary name and then renamed, the record
# last, so an interrupted build leaves each file whole, old or new. A file
# that already equals the shipped one is the build's own, whatever the record
# says: that mends a record an interruption left behind.
#
# cmake -DSOURCE_DIR=... -DTARGET_DIR=... -DLAST_DIR=... -P CopyConfig.cmake

# Writes source to destination whole or not at all.
function(replace_file source destination)
  get_filename_component(folder ${destination} DIRECTORY)
  get_filename_component(name ${destination} NAME)
  set(partial ${folder}/.${name}.copying)
  file(COPY_FILE ${source} ${partial})
  file(RENAME ${partial} ${destination})
endfunction()

file(GLOB sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*)
file(MAKE_DIRECTORY ${TARGET_DIR} ${LAST_DIR})
file(GLOB partials ${TARGET_DIR}/.*.copying ${LAST_DIR}/.*.copying)
if(partials)
  file(REMOVE ${partials})
endif()

foreach(name IN LISTS sources)
  set(source ${SOURCE_DIR}/${name})
  set(target ${TARGET_DIR}/${name})
  set(last ${LAST_DIR}/${name})
  if(IS_DIRECTORY ${source})
    continue()
  endif()
  file(SHA256 ${source} source_hash)
  set(target_hash "")
  if(EXISTS ${target})
    file(SHA256 ${target} target_hash)
  endif()
  set(last_hash "")
  if(EXISTS ${last})
    file(SHA256 ${last} last_hash)
  endif()

  if(target_hash STREQUAL source_hash)
    if(NOT last_hash STREQUAL source_hash)
      replace_file(${source} ${last})
    endif()
  elseif(target_hash STREQUAL "" OR target_hash STREQUAL last_hash)
    replace_file(${source} ${target})
    replace_file(${source} ${last})
  else()
    message(STATUS "Keeping your changed ${target}; the shipped one is ${source}")
  endif()
endforeach()
