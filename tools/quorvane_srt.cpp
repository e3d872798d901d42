// quorvane-srt FILE: prints the subtitle track parsed from FILE's bytes as they are.
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "subtitles/srt_dump.h"
#include "subtitles/srt_parser.h"

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

std::optional<std::string> readWholeFile(const char* path) {
  const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path, "rb"));
  if (!file) return std::nullopt;
  std::string bytes;
  char chunk[65536];
  size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) bytes.append(chunk, got);
  if (std::ferror(file.get())) return std::nullopt;
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: quorvane-srt FILE\n");
    return 1;
  }
  const std::optional<std::string> bytes = readWholeFile(argv[1]);
  if (!bytes) {
    std::fprintf(stderr, "quorvane-srt: cannot read %s\n", argv[1]);
    return 1;
  }
  const std::string dump = formatTrack(parseSrt(*bytes));
  std::fwrite(dump.data(), 1, dump.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}
