# SPDX-License-Identifier: Zlib
# An STM8S103 under ucsim's sstm8: output through ucsim's simulator interface, cycles from TIM1
# (run.sh runs the firmware per routine side by side, since the simulator is slow, and fails a
# firmware whose static data or stack overrun the chip's 1 KiB of RAM).
set(board_sources ${board_dir}/board.c)
