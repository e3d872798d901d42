// The display tick's selection: the steady state with the cue already shown (every 50 ms
// while a cue is on screen), and a playback through a whole track in 50 ms steps.
#include <benchmark/benchmark.h>

#include <vector>

#include "overlay/display_tick.h"

namespace {

constexpr DisplayLayout LAYOUT{30, 48, 1080, 100, 970};

SubtitleTrack makeTrack(int cueCount) {
  std::vector<SubtitleCue> cues;
  for (int k = 0; k < cueCount; ++k) {
    cues.push_back({k * 2500, k * 2500 + 2000, "A line of the film's dialogue"});
  }
  return SubtitleTrack(std::move(cues));
}

void BM_TickCueAlreadyShown(benchmark::State& state) {
  const SubtitleTrack track = makeTrack(2000);
  DisplayCursor cursor{1000, 0, 0, 0};
  int32_t t = 1000 * 2500 + 500;  // inside cue 1001
  selectDisplayCue(t, track, cursor, LAYOUT);
  selectDisplayCue(t, track, cursor, LAYOUT);
  for (auto _ : state) {
    benchmark::DoNotOptimize(t);
    benchmark::DoNotOptimize(selectDisplayCue(t, track, cursor, LAYOUT));
  }
}
BENCHMARK(BM_TickCueAlreadyShown);

void BM_TickPlayingThrough(benchmark::State& state) {
  const SubtitleTrack track = makeTrack(2000);
  const int32_t endTime = 2000 * 2500;
  DisplayCursor cursor;
  int32_t t = 0;
  for (auto _ : state) {
    t = t >= endTime ? 0 : t + 50;
    benchmark::DoNotOptimize(selectDisplayCue(t, track, cursor, LAYOUT));
  }
}
BENCHMARK(BM_TickPlayingThrough);

}  // namespace

BENCHMARK_MAIN();
