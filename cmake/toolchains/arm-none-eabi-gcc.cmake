# SPDX-License-Identifier: Zlib
# Shared by the Arm toolchain files: Debian's arm-none-eabi-gcc with newlib for the core in
# QUORVANTEL_ARM_CPU (-mcpu), in Thumb mode, and for a core with an FPU, its unit in
# QUORVANTEL_ARM_FPU (-mfpu), used through the hard-float calling convention. There is no
# libstdc++ for this target, so C++ builds without exceptions and RTTI and programs link with the
# C driver.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR arm)
set(CMAKE_C_COMPILER arm-none-eabi-gcc)
set(CMAKE_CXX_COMPILER arm-none-eabi-g++)
# Bare metal: the compiler checks build a library, since no executable links without a board.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

# The same core flags compile and link, so that the driver picks the C library built for them.
set(quorvantel_arm_core_flags "-mcpu=${QUORVANTEL_ARM_CPU} -mthumb")
if(QUORVANTEL_ARM_FPU)
  string(APPEND quorvantel_arm_core_flags " -mfloat-abi=hard -mfpu=${QUORVANTEL_ARM_FPU}")
endif()
set(CMAKE_C_FLAGS_INIT "${quorvantel_arm_core_flags} -ffunction-sections -fdata-sections")
set(CMAKE_CXX_FLAGS_INIT "${CMAKE_C_FLAGS_INIT}")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${quorvantel_arm_core_flags} -Wl,--gc-sections")

set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
