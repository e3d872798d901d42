#pragma once
// What the simulated player writes into its image data (the bytes initialData() laid out).
#include <cstdint>
#include <span>

namespace simulated_player {

// The film time into the five digit cells, whole seconds, and the play-state word. The seconds
// cell is written last: a reader that sees it change finds the other cells already current.
void presentFilmTime(std::span<uint8_t> data, int32_t filmMs, bool playing);

// Clears the time-block pattern, so that no search finds it.
void removePattern(std::span<uint8_t> data);

// The 32-bit address of the value cell into the pointer cell.
void pointAtValue(std::span<uint8_t> data, uint32_t valueAddress);

}  // namespace simulated_player
