# Warnings every target of ours is built with.
add_library(cubrava_warnings INTERFACE)
target_compile_options(cubrava_warnings INTERFACE -Wall -Wextra)
