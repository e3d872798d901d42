// A stand-in for the served player: a program loaded at 0x400000 whose writable image data
// holds known bytes. It writes READY_LINE to its standard output once set up and lives until
// its standard input closes, it is ended, or its time limit runs out, so it never outlives a
// test. Arguments: [SECONDS [play]]; SECONDS is the time limit (default 120). With "play"
// its time block plays from 0:00:00 on, as a film's does, instead of standing at 1:23:45.
#include <windows.h>

#include <cstdlib>
#include <cstring>

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

// Writes H:MM:SS into the five digit cells, each digit plus one.
void showTime(uint32_t seconds) {
  const uint32_t digits[5] = {seconds / 3600 % 10, seconds / 600 % 6, seconds / 60 % 10,
                              seconds / 10 % 6, seconds % 10};
  for (uint32_t i = 0; i < 5; ++i) {
    playerData[TIME_BLOCK_OFFSET - DIGIT_CELL_SPACING * (4 - i)] = static_cast<uint8_t>(digits[i] + 1);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const uint32_t value = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(&playerData[VALUE_OFFSET]));
  for (uint32_t i = 0; i < 4; ++i) {
    playerData[POINTER_OFFSET + i] = static_cast<uint8_t>(value >> (8 * i));
  }
  const DWORD limitMs = (argc > 1 ? static_cast<DWORD>(std::atoi(argv[1])) : 120) * 1000;
  const bool playing = argc > 2 && std::strcmp(argv[2], "play") == 0;
  const DWORD started = GetTickCount();
  if (playing) showTime(0);

  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), READY_LINE.data(), READY_LINE.size(), &written,
            nullptr);

  const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  HANDLE reader = nullptr;
  if (GetFileType(input) == FILE_TYPE_PIPE) {
    reader = CreateThread(nullptr, 0, readUntilClosed, input, 0, nullptr);
  }
  for (;;) {
    const DWORD elapsed = GetTickCount() - started;
    if (elapsed >= limitMs) break;
    const DWORD step = playing ? 20 : limitMs - elapsed;
    if (reader ? WaitForSingleObject(reader, step) == WAIT_OBJECT_0 : (Sleep(step), false)) break;
    if (playing) showTime((GetTickCount() - started) / 1000);
  }
  if (reader) CloseHandle(reader);
  return playerData[0];
}
