#include "player_image.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <tuple>

#include "film_clock.h"
#include "simulated_player_layout.h"

namespace simulated_player {

namespace {

void putInt32(std::span<uint8_t> data, uint32_t offset, uint32_t value) {
  for (uint32_t i = 0; i < 4; ++i) data[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

void presentFilmTime(std::span<uint8_t> data, int32_t filmMs, bool playing) {
  const std::array<uint8_t, 5> cells = timeCells(filmMs);
  for (uint32_t i = 0; i < 4; ++i) {
    data[TIME_BLOCK_OFFSET - DIGIT_CELL_SPACING * (4 - i)] = cells[i];
  }
  putInt32(data, TIME_BLOCK_OFFSET + PLAY_STATE_DISTANCE,
           static_cast<uint32_t>(playing ? PLAY_STATE_PLAYING : PLAY_STATE_PAUSED));
  // Another process reads these bytes: keep the compiler from moving this store earlier.
  std::atomic_signal_fence(std::memory_order_seq_cst);
  data[TIME_BLOCK_OFFSET] = cells[4];
}

void removePattern(std::span<uint8_t> data) {
  // The array's size, not its bytes: naming its storage would put a second copy in the image.
  constexpr size_t patternSize = std::tuple_size_v<std::remove_cvref_t<decltype(TIME_BLOCK_PATTERN)>>;
  std::fill_n(data.begin() + PATTERN_OFFSET, patternSize, uint8_t{0});
}

void pointAtValue(std::span<uint8_t> data, uint32_t valueAddress) {
  putInt32(data, POINTER_OFFSET, valueAddress);
}

}  // namespace simulated_player
