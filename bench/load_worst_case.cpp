// load_worst_case FILE...: loads each file as select-and-start does (decoding for the
// Simplified Chinese interface, then parsing) and prints the cues found, the time taken and
// the process's peak memory so far.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>

#include "subtitles/srt_parser.h"
#include "subtitles/subtitle_decoding.h"

int main(int argc, char** argv) {
  const 编码转换类 subtitleEncoder;
  for (int i = 1; i < argc; ++i) {
    const auto started = std::chrono::steady_clock::now();
    const std::string bytes = readSubtitleFile(argv[i]);
    const DecodedSubtitle decoded =
        decodeSubtitleBytes(bytes, LanguageMode::SIMPLIFIED_CHINESE, subtitleEncoder);
    const SubtitleTrack track = parseSrt(decoded.bytes, decoded.codePage);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%-28s %6.1f MiB  %9d cues  %6.2f s  peak %5ld MiB\n", argv[i],
                bytes.size() / 1048576.0, track.cueCount(), seconds, usage.ru_maxrss / 1024);
    std::fflush(stdout);
  }
  return 0;
}
