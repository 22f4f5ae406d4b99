# One target that carries the project's warning and floating-point flags; every
# library, program and test links it.
add_library(quintora_warnings INTERFACE)
if(MSVC)
  target_compile_options(quintora_warnings INTERFACE /W4 /permissive- /fp:precise)
else()
  target_compile_options(quintora_warnings INTERFACE -Wall -Wextra -Wpedantic
    # Fused multiply-adds would change the optimiser's fitness sums and so its choices.
    -ffp-contract=off)
endif()
