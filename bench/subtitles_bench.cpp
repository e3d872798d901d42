// Parse time and throughput of generated SRT files of 2 000 and 100 000 cues, written in
// order and shuffled. With QUORVANE_SRT_BENCH_DIR set, the files are also written there
// (bench/compare_python.py parses them with Python's SRT libraries).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "subtitles/srt_parser.h"

namespace {

std::string srtTime(int64_t ms) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%02lld:%02lld:%02lld,%03lld", (long long)(ms / 3600000),
                (long long)(ms / 60000 % 60), (long long)(ms / 1000 % 60), (long long)(ms % 1000));
  return buffer;
}

// Cue k starts at 2.5 k s and lasts 2 s; every third has a second line. Shuffled files
// number their cues in file order but keep each cue's time and text.
std::string generateSrt(int cueCount, bool shuffled) {
  std::vector<int> order(static_cast<size_t>(cueCount));
  for (int k = 0; k < cueCount; ++k) order[static_cast<size_t>(k)] = k;
  if (shuffled) std::shuffle(order.begin(), order.end(), std::mt19937(12345));
  std::string file;
  for (int n = 0; n < cueCount; ++n) {
    const int k = order[static_cast<size_t>(n)];
    const int64_t start = int64_t{k} * 2500;
    file += std::to_string(n + 1) + "\r\n" + srtTime(start) + " --> " + srtTime(start + 2000) +
            "\r\nThis is line " + std::to_string(k) + " of the film's dialogue.\r\n";
    if (k % 3 == 0) file += "And a second line, spoken a little later.\r\n";
    file += "\r\n";
  }
  return file;
}

struct Input {
  std::string name;
  int cues;
  std::string bytes;
};

std::vector<Input> makeInputs() {
  std::vector<Input> inputs;
  for (int cues : {2000, 100000}) {
    for (bool shuffled : {false, true}) {
      const std::string name =
          std::string(shuffled ? "shuffled_" : "in_order_") + std::to_string(cues) + ".srt";
      inputs.push_back({name, cues, generateSrt(cues, shuffled)});
    }
  }
  return inputs;
}

void writeInputs(const std::vector<Input>& inputs, const std::string& folder) {
  for (const Input& input : inputs) {
    std::FILE* file = std::fopen((folder + "/" + input.name).c_str(), "wb");
    if (!file) continue;
    std::fwrite(input.bytes.data(), 1, input.bytes.size(), file);
    std::fclose(file);
  }
}

void parseBenchmark(benchmark::State& state, const Input* input) {
  for (auto _ : state) {
    SubtitleTrack track = parseSrt(input->bytes);
    benchmark::DoNotOptimize(track);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(input->bytes.size()));
  state.SetItemsProcessed(state.iterations() * input->cues);
}

void sortBenchmark(benchmark::State& state, const Input* input) {
  const SubtitleTrack parsed = parseSrt(input->bytes);
  const std::vector<SubtitleCue> sorted(parsed.entries().begin(),
                                        parsed.entries().end() - 2);
  std::vector<SubtitleCue> cues(sorted.size());
  std::mt19937 random(99);
  for (auto _ : state) {
    state.PauseTiming();
    cues = sorted;
    std::shuffle(cues.begin(), cues.end(), random);
    state.ResumeTiming();
    sortCues(cues);
    benchmark::DoNotOptimize(cues);
  }
  state.SetItemsProcessed(state.iterations() * input->cues);
}

}  // namespace

int main(int argc, char** argv) {
  static const std::vector<Input> inputs = makeInputs();
  if (const char* folder = std::getenv("QUORVANE_SRT_BENCH_DIR")) writeInputs(inputs, folder);
  for (const Input& input : inputs) {
    benchmark::RegisterBenchmark(("ParseSrt/" + input.name).c_str(), parseBenchmark, &input)
        ->Unit(benchmark::kMillisecond);
  }
  benchmark::RegisterBenchmark("SortCues/shuffled_100000", sortBenchmark, &inputs[2])
      ->Unit(benchmark::kMillisecond);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
