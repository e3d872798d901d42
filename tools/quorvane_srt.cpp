// quorvane-srt [--lang 0|1|2] [--utf8] FILE: decodes FILE as select-and-start does for the
// interface language (0 English, the default; 1 Simplified, 2 Traditional Chinese), parses
// it and prints the track. With --utf8 the texts are shown in UTF-8, escaping only control
// bytes: a UTF-8 track as written, GBK and Big5 converted; text passed on in the system's
// code page is read as GBK, or Big5 under --lang 2.
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "encoding/code_page.h"
#include "subtitles/srt_dump.h"
#include "subtitles/srt_parser.h"
#include "subtitles/subtitle_decoding.h"

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

struct Options {
  LanguageMode languageMode = LanguageMode::ENGLISH;
  bool utf8 = false;
  const char* path = nullptr;
};

std::optional<Options> parseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--utf8") == 0) {
      options.utf8 = true;
    } else if (std::strcmp(argv[i], "--lang") == 0 && i + 1 < argc &&
               std::strlen(argv[i + 1]) == 1 && argv[i + 1][0] >= '0' && argv[i + 1][0] <= '2') {
      options.languageMode = static_cast<LanguageMode>(argv[++i][0] - '0');
    } else if (!options.path && argv[i][0] != '-') {
      options.path = argv[i];
    } else {
      return std::nullopt;
    }
  }
  if (!options.path) return std::nullopt;
  return options;
}

// The text in UTF-8, with control bytes and the backslash escaped as escapeBytes does.
std::string utf8Text(std::string_view text, CodePage codePage) {
  const std::string utf8 = utf16UnitsToUtf8(decodeCodePage(codePage, text));
  std::string out;
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    out += byte < 0x20 || byte == 0x7F || byte == '\\' ? escapeBytes(std::string_view(&c, 1))
                                                      : std::string(1, c);
  }
  return out;
}

std::string formatTrackInUtf8(const SubtitleTrack& track, CodePage codePage) {
  std::string out;
  const auto& entries = track.entries();
  for (size_t i = 0; i < entries.size(); ++i) {
    out += std::to_string(i + 1) + '\t' + std::to_string(entries[i].start) + '\t' +
           std::to_string(entries[i].end) + '\t' + utf8Text(entries[i].text, codePage) + '\n';
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<Options> options = parseOptions(argc, argv);
  if (!options) {
    std::fprintf(stderr, "usage: quorvane-srt [--lang 0|1|2] [--utf8] FILE\n");
    return 1;
  }
  const std::optional<std::string> bytes = readWholeFile(options->path);
  if (!bytes) {
    std::fprintf(stderr, "quorvane-srt: cannot read %s\n", options->path);
    return 1;
  }
  const DecodedSubtitle decoded =
      decodeSubtitleBytes(*bytes, options->languageMode, 编码转换类());
  const SubtitleTrack track = parseSrt(decoded.bytes, decoded.codePage);

  std::string dump = "cues " + std::to_string(track.cueCount()) + " codepage " +
                     std::to_string(static_cast<int>(track.codePage())) + "\n";
  if (options->utf8) {
    CodePage shownAs = track.codePage();
    if (shownAs == CodePage::ANSI) {
      shownAs = options->languageMode == LanguageMode::TRADITIONAL_CHINESE ? CodePage::BIG5
                                                                           : CodePage::GBK;
    }
    dump += formatTrackInUtf8(track, shownAs);
  } else {
    const std::string plain = formatTrack(track);
    dump += plain.substr(plain.find('\n') + 1);
  }
  std::fwrite(dump.data(), 1, dump.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}
