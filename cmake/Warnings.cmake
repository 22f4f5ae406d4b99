# One target that carries the project's warning and floating-point flags; every
# library, program and test links it. QUINTORA_WERROR turns warnings into
# errors; the test script sets it, so a warning fails the build there.
option(QUINTORA_WERROR "Treat compiler warnings as errors" OFF)

add_library(quintora_warnings INTERFACE)
if(MSVC)
  target_compile_options(quintora_warnings INTERFACE /W4 /permissive- /fp:precise
    $<$<BOOL:${QUINTORA_WERROR}>:/WX>)
else()
  target_compile_options(quintora_warnings INTERFACE -Wall -Wextra -Wpedantic
    -Wshadow -Wconversion -Wsign-conversion -Wold-style-cast
    # Fused multiply-adds would change the optimiser's fitness sums and so its choices.
    -ffp-contract=off
    $<$<BOOL:${QUINTORA_WERROR}>:-Werror>)
endif()
