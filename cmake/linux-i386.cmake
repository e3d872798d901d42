# 32-bit Linux build of the portable core and its tests, run through qemu-i386-static:
# the release is i686 and 32-bit Wine cannot run here, so 32-bit faults show in this build.
# Naming the system makes CMake treat it as a cross build; the kernel here does not run
# i386 programs and no binfmt handler is registered, so every test goes through the emulator.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT -m32)
set(CMAKE_CXX_FLAGS_INIT -m32)
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/bin/qemu-i386-static)
