// A stand-in for the served player: a program loaded at 0x400000 whose writable image data
// holds known bytes. It writes READY_LINE to its standard output once set up and lives until
// its standard input closes, it is ended, or its time limit (seconds, first argument;
// default 120) runs out, so it never outlives a test.
#include <windows.h>

#include <cstdlib>

#include "simulated_player_layout.h"

using namespace simulated_player;

__attribute__((used)) std::array<uint8_t, DATA_SIZE> playerData = initialData();

namespace {

DWORD WINAPI readUntilClosed(void* input) {
  char buffer[64];
  DWORD count = 0;
  while (ReadFile(static_cast<HANDLE>(input), buffer, sizeof buffer, &count, nullptr) != 0 &&
         count > 0) {
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const uint32_t value = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(&playerData[VALUE_OFFSET]));
  for (uint32_t i = 0; i < 4; ++i) {
    playerData[POINTER_OFFSET + i] = static_cast<uint8_t>(value >> (8 * i));
  }
  const DWORD limitMs = (argc > 1 ? static_cast<DWORD>(std::atoi(argv[1])) : 120) * 1000;

  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), READY_LINE.data(), READY_LINE.size(), &written,
            nullptr);

  const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  if (GetFileType(input) == FILE_TYPE_PIPE) {
    const HANDLE reader = CreateThread(nullptr, 0, readUntilClosed, input, 0, nullptr);
    WaitForSingleObject(reader, limitMs);
  } else {
    Sleep(limitMs);
  }
  return playerData[0];
}
