# The runtime folder's Config/ is refreshed from the shipped files, but a file
# someone changed there (a level designer's Levels.dat) is never overwritten.
#   cmake -DTOOL=.../cubrava-config-copy -DWORK=<scratch dir> -P CopyConfigTest.cmake

file(REMOVE_RECURSE ${WORK})
set(source ${WORK}/shipped)
set(target ${WORK}/run/Config)
set(last ${WORK}/last)

function(copy_config)
  execute_process(COMMAND ${TOOL} ${source} ${target} ${last} RESULT_VARIABLE result OUTPUT_QUIET)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "the copy failed")
  endif()
endfunction()

function(expect file text)
  file(READ ${target}/${file} seen)
  if(NOT seen STREQUAL text)
    message(FATAL_ERROR "${file}: expected '${text}', found '${seen}'")
  endif()
endfunction()

file(WRITE ${source}/Levels.dat "shipped 1")
file(WRITE ${source}/Pieces.dat "pieces 1")
copy_config()
expect(Levels.dat "shipped 1")
expect(Pieces.dat "pieces 1")

# The designer saves levels; the shipped files change too.
file(WRITE ${target}/Levels.dat "designed")
file(WRITE ${source}/Levels.dat "shipped 2")
file(WRITE ${source}/Pieces.dat "pieces 2")
copy_config()
expect(Levels.dat "designed")
expect(Pieces.dat "pieces 2")

# Removed from the runtime folder: the shipped one comes back.
file(REMOVE ${target}/Levels.dat)
copy_config()
expect(Levels.dat "shipped 2")
file(WRITE ${source}/Levels.dat "shipped 3")
copy_config()
expect(Levels.dat "shipped 3")

# A build interrupted while writing a copy leaves a partial file under a
# temporary name, never in place: the next build finishes the job.
file(WRITE ${source}/Levels.dat "shipped 4")
file(WRITE ${target}/.Levels.dat.copying "shipp")
file(WRITE ${last}/.Levels.dat.copying "shipp")
copy_config()
expect(Levels.dat "shipped 4")
file(GLOB partials ${target}/.* ${last}/.*)
if(partials)
  message(FATAL_ERROR "partial copies left behind: ${partials}")
endif()

# Interrupted after the copy was renamed into place but before its record was:
# the copy is still the build's own, and the next shipped change replaces it.
file(WRITE ${source}/Pieces.dat "pieces 3")
file(COPY_FILE ${source}/Pieces.dat ${target}/Pieces.dat)
copy_config()
file(WRITE ${source}/Pieces.dat "pieces 4")
copy_config()
expect(Pieces.dat "pieces 4")

file(REMOVE_RECURSE ${WORK})
