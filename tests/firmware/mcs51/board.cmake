# SPDX-License-Identifier: Zlib
# An 8052 under ucsim's s51: output through ucsim's simulator interface, machine cycles from
# Timer0 (run.sh runs the firmware per routine side by side, since the simulator is slow).
set(board_sources ${board_dir}/board.c)
# SDCC keeps its temporaries in directly addressed RAM, whatever the memory model, and the check's
# must fit beside the register banks and the bits (0x21 to 0x7F, in one piece): without
# common-subexpression, invariant and induction optimisations it makes fewer of them. The
# library is built as the toolchain says.
set(board_compile_options --nogcse --noinvariant --noinduction)
# In the large memory model SDCC stores a parameter in external RAM and reads it back before it
# returns it, 21 machine cycles that no routine owes its call; a reentrant function keeps it in
# the registers it came in, and its pointer is called the same way.
set(board_compile_definitions BOARD_EMPTY_ROUTINE=__reentrant)
# External RAM as on a CH55x, 1 KiB: a firmware that needs more fails to link. Internal RAM is the
# 8052's 256 bytes; the linker fails when the static data do not fit, and run.sh when the stack
# reaches its top.
set(board_link_options "SHELL:--xram-size 1024")
