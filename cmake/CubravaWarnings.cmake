# Warnings every target of ours is built with; CI turns them into errors.
option(CUBRAVA_WERROR "Treat compiler warnings as errors" OFF)
add_library(cubrava_warnings INTERFACE)
target_compile_options(cubrava_warnings INTERFACE -Wall -Wextra $<$<BOOL:${CUBRAVA_WERROR}>:-Werror>)
