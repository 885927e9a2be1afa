# Where `cmake --install` puts things (packaging/ holds the rules). The
# programs find their shipped data relative to their own location, so any
# prefix works.
include(GNUInstallDirs)
# Folders made by the installation are open to all, whatever the umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# Debian keeps games in /usr/games; under any other prefix they go with the
# other programs. Decided when configuring, as GNUInstallDirs decides its own.
set(CUBRAVA_INSTALL_GAMESDIR "" CACHE STRING
  "Folder for the two programs (empty: games under the prefix /usr, the bin folder elsewhere)")
if(CUBRAVA_INSTALL_GAMESDIR)
  set(CUBRAVA_GAMESDIR ${CUBRAVA_INSTALL_GAMESDIR})
elseif(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  set(CUBRAVA_GAMESDIR games)
else()
  set(CUBRAVA_GAMESDIR ${CMAKE_INSTALL_BINDIR})
endif()
set(CUBRAVA_DATADIR ${CMAKE_INSTALL_DATADIR}/cubrava)

# The shipped data as seen from the programs' folder, such as ../share/cubrava.
function(cubrava_full_path dir out)
  if(IS_ABSOLUTE ${dir})
    set(${out} ${dir} PARENT_SCOPE)
  else()
    set(${out} ${CMAKE_INSTALL_PREFIX}/${dir} PARENT_SCOPE)
  endif()
endfunction()
cubrava_full_path(${CUBRAVA_GAMESDIR} games_full)
cubrava_full_path(${CUBRAVA_DATADIR} data_full)
file(RELATIVE_PATH CUBRAVA_DATA_FROM_PROGRAM ${games_full} ${data_full})
