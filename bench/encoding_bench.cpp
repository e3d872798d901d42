// Throughput of the subtitle conversions on a 20 MB subtitle-like text, each beside glibc
// iconv doing the nearest conversion on the same bytes; the ratios follow the table. The
// decoding of a Unicode subtitle file GBK cannot hold (French, German, Korean, emoji), which
// is kept as UTF-8, stands beside iconv's UTF-8 to UTF-16.
//
// Our conversions return new strings while iconv writes into one buffer made beforehand. So
// that both measure converting rather than the kernel handing out fresh pages, malloc keeps
// freed memory for reuse (QUORVANE_BENCH_DEFAULT_MALLOC=1 measures with glibc's defaults).
#include "encoding/text_encoder.h"
#include "subtitles/subtitle_decoding.h"

#include <benchmark/benchmark.h>
#include <iconv.h>
#include <malloc.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr size_t TEXT_BYTES = 20 * 1024 * 1024;

// SRT cues with GBK lines: common Han characters (GBK level 1), Chinese punctuation, some
// English words and digits, as film subtitles in Chinese look.
std::string makeGbkSubtitles() {
  std::mt19937 random(20261211);
  std::uniform_int_distribution<int> lead(0xB0, 0xD7), trail(0xA1, 0xFE), lineLength(4, 18), pick(0, 99);
  const char* punctuation[] = {"\xA3\xAC", "\xA1\xA3", "\xA3\xBF", "\xA3\xA1", "\xA1\xA2"};  // ，。？！、
  const char* words[] = {"OK", "DVD", "Mr. Smith", "2046", "CIA"};
  std::string text;
  text.reserve(TEXT_BYTES + 256);
  for (int cue = 1; text.size() < TEXT_BYTES; ++cue) {
    char timing[64];
    std::snprintf(timing, sizeof timing, "%d\r\n00:%02d:%02d,%03d --> 00:%02d:%02d,%03d\r\n", cue, cue / 60 % 60,
                  cue % 60, cue % 1000, cue / 60 % 60, cue % 60, (cue + 500) % 1000);
    text += timing;
    for (int line = 0; line < 1 + cue % 2; ++line) {
      for (int i = lineLength(random); i > 0; --i) {
        const int roll = pick(random);
        if (roll < 8) {
          text += punctuation[roll % 5];
        } else if (roll < 11) {
          text += words[roll % 5];
        } else {
          int leadByte = lead(random), trailByte = trail(random);
          if (leadByte == 0xD7 && trailByte > 0xF9) trailByte = 0xF9;  // level 1 ends at D7F9
          text += static_cast<char>(leadByte);
          text += static_cast<char>(trailByte);
        }
      }
      text += "\r\n";
    }
    text += "\r\n";
  }
  return text;
}

// SRT cues in UTF-8 whose lines are French, German or Korean, some with an emoji: text GBK
// cannot hold, so decoding keeps it as UTF-8.
std::string makeUnicodeSubtitles() {
  std::mt19937 random(20261212);
  const std::vector<std::vector<const char*>> languages = {
      {"Ça", "va", "très", "bien,", "François.", "Où", "est", "l'hôtel", "?", "Déjà", "là,", "près",
       "du", "château", "naïve", "cœur", "été", "garçon", "et", "la", "fenêtre"},
      {"Grüße", "aus", "München!", "Äpfel,", "Öl", "und", "Übermut.", "Die", "Straße", "ist", "heiß",
       "„Schön“,", "sagte", "der", "Bär.", "Mädchen", "fährt", "über", "die", "Brücke"},
      {"안녕하세요?", "만나서", "반갑습니다.", "한국어", "자막입니다.", "괜찮아요", "네,", "그래요!",
       "사랑해요", "어디", "가요?", "지금", "여기", "있어요.", "고마워요", "정말"}};
  const char* emoji[] = {"😀", "🎉", "👍🏽", "❤️", "🇫🇷"};
  std::uniform_int_distribution<int> lineWords(3, 9), pick(0, 999);
  std::string text;
  text.reserve(TEXT_BYTES + 256);
  for (int cue = 1; text.size() < TEXT_BYTES; ++cue) {
    char timing[64];
    std::snprintf(timing, sizeof timing, "%d\r\n00:%02d:%02d,%03d --> 00:%02d:%02d,%03d\r\n", cue, cue / 60 % 60,
                  cue % 60, cue % 1000, cue / 60 % 60, cue % 60, (cue + 500) % 1000);
    text += timing;
    const auto& words = languages[static_cast<size_t>(cue) % languages.size()];
    for (int line = 0; line < 1 + cue % 2; ++line) {
      for (int i = lineWords(random); i > 0; --i) {
        text += words[static_cast<size_t>(pick(random)) % words.size()];
        text += ' ';
      }
      if (pick(random) < 100) text += emoji[pick(random) % 5];
      text += "\r\n";
    }
    text += "\r\n";
  }
  return text;
}

struct Texts {
  std::string gbk = makeGbkSubtitles();
  std::string big5 = 编码转换类().gbkToTraditionalBig5(gbk);
  // GBK text already in Traditional forms: iconv meets few characters Big5 lacks.
  std::string traditionalGbk = 编码转换类().toTraditionalForms(gbk);
  std::string utf8 = 编码转换类().gbkToUtf8(gbk);
  std::string unicode = makeUnicodeSubtitles();
  std::string signedUnicode = "\xEF\xBB\xBF" + unicode;
  std::string signedUtf8 = "\xEF\xBB\xBF" + utf8;
};

const Texts& texts() {
  static const Texts instance;
  return instance;
}

// glibc iconv over the whole input into a preallocated buffer; an input character the
// target lacks becomes "?" and is skipped, as our conversions do.
class Iconv {
public:
  Iconv(const char* to, const char* from) : descriptor_(iconv_open(to, from)) {}
  ~Iconv() { iconv_close(descriptor_); }

  size_t convert(const std::string& input, std::string& output) const {
    iconv(descriptor_, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    char* out = output.data();
    size_t outLeft = output.size();
    while (inLeft > 0 && iconv(descriptor_, &in, &inLeft, &out, &outLeft) == static_cast<size_t>(-1)) {
      if (errno != EILSEQ && errno != EINVAL) break;
      if (outLeft == 0) break;
      const size_t skip = static_cast<unsigned char>(*in) >= 0x80 && inLeft > 1 ? 2 : 1;
      in += skip, inLeft -= skip;
      *out++ = '?', --outLeft;
    }
    return output.size() - outLeft;
  }

private:
  iconv_t descriptor_;
};

template <typename Convert>
void runConversion(benchmark::State& state, const std::string& input, Convert convert) {
  size_t outputBytes = 0;
  for (auto _ : state) {
    outputBytes = convert(input);
    benchmark::DoNotOptimize(outputBytes);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * input.size()));
  state.counters["output_MB"] = static_cast<double>(outputBytes) / (1024 * 1024);
}

void runIconv(benchmark::State& state, const std::string& input, const char* to, const char* from) {
  const Iconv converter(to, from);
  std::string output(input.size() * 2 + 16, '\0');
  runConversion(state, input, [&](const std::string& in) { return converter.convert(in, output); });
}

void ours_big5ToSimplifiedGbk(benchmark::State& state) {
  const 编码转换类 encoder;
  runConversion(state, texts().big5, [&](const std::string& in) { return encoder.big5ToSimplifiedGbk(in).size(); });
}
void iconv_big5ToGbk(benchmark::State& state) { runIconv(state, texts().big5, "GBK", "BIG5"); }

void ours_gbkToTraditionalBig5(benchmark::State& state) {
  const 编码转换类 encoder;
  runConversion(state, texts().gbk, [&](const std::string& in) { return encoder.gbkToTraditionalBig5(in).size(); });
}
void iconv_gbkToBig5(benchmark::State& state) { runIconv(state, texts().gbk, "BIG5", "GBK"); }

// iconv stops at each character Big5 lacks; on Traditional-form text it rarely has to.
void ours_gbkToBig5_traditionalText(benchmark::State& state) {
  const 编码转换类 encoder;
  runConversion(state, texts().traditionalGbk, [&](const std::string& in) { return encoder.gbkToBig5(in).size(); });
}
void iconv_gbkToBig5_traditionalText(benchmark::State& state) {
  runIconv(state, texts().traditionalGbk, "BIG5", "GBK");
}

void ours_utf8ToGbk(benchmark::State& state) {
  const 编码转换类 encoder;
  runConversion(state, texts().utf8, [&](const std::string& in) { return encoder.utf8ToGbk(in).size(); });
}
void iconv_utf8ToGbk(benchmark::State& state) { runIconv(state, texts().utf8, "GBK", "UTF-8"); }

// The whole decoding step of a Unicode file GBK cannot hold: UTF-8 to UTF-16, the search
// for a character GBK lacks, the check that the UTF-8 is well-formed and the copy kept.
void ours_decodeUnicodeSubtitles(benchmark::State& state) {
  const 编码转换类 encoder;
  runConversion(state, texts().signedUnicode, [&](const std::string& in) {
    const DecodedSubtitle decoded = decodeSubtitleBytes(in, LanguageMode::ENGLISH, encoder);
    if (decoded.codePage != CodePage::UTF8) state.SkipWithError("the text did not stay UTF-8");
    return decoded.bytes.size();
  });
}
// Without a signature the file is first recognised as UTF-8 by a pass of its own.
void ours_decodeUnsignedUnicodeSubtitles(benchmark::State& state) {
  const 编码转换类 encoder;
  runConversion(state, texts().unicode, [&](const std::string& in) {
    return decodeSubtitleBytes(in, LanguageMode::ENGLISH, encoder).bytes.size();
  });
}
// A Chinese Unicode file still becomes GBK, after a first pass that finds GBK holds it all.
void ours_decodeChineseUnicodeSubtitles(benchmark::State& state) {
  const 编码转换类 encoder;
  runConversion(state, texts().signedUtf8, [&](const std::string& in) {
    const DecodedSubtitle decoded = decodeSubtitleBytes(in, LanguageMode::ENGLISH, encoder);
    if (decoded.codePage != CodePage::GBK) state.SkipWithError("the text did not become GBK");
    return decoded.bytes.size();
  });
}
void iconv_utf8ToUtf16(benchmark::State& state) { runIconv(state, texts().signedUnicode, "UTF-16LE", "UTF-8"); }

BENCHMARK(ours_big5ToSimplifiedGbk)->Unit(benchmark::kMillisecond);
BENCHMARK(iconv_big5ToGbk)->Unit(benchmark::kMillisecond);
BENCHMARK(ours_gbkToTraditionalBig5)->Unit(benchmark::kMillisecond);
BENCHMARK(iconv_gbkToBig5)->Unit(benchmark::kMillisecond);
BENCHMARK(ours_gbkToBig5_traditionalText)->Unit(benchmark::kMillisecond);
BENCHMARK(iconv_gbkToBig5_traditionalText)->Unit(benchmark::kMillisecond);
BENCHMARK(ours_utf8ToGbk)->Unit(benchmark::kMillisecond);
BENCHMARK(iconv_utf8ToGbk)->Unit(benchmark::kMillisecond);
BENCHMARK(ours_decodeUnicodeSubtitles)->Unit(benchmark::kMillisecond);
BENCHMARK(ours_decodeUnsignedUnicodeSubtitles)->Unit(benchmark::kMillisecond);
BENCHMARK(iconv_utf8ToUtf16)->Unit(benchmark::kMillisecond);
BENCHMARK(ours_decodeChineseUnicodeSubtitles)->Unit(benchmark::kMillisecond);

// The console table, then "iconv CPU time / our CPU time" for each pair of the run (CPU
// time, since other jobs may share the machine).
class RatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration) seconds_[run.benchmark_name()] = run.GetAdjustedCPUTime();
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    const std::pair<const char*, const char*> pairs[] = {{"ours_big5ToSimplifiedGbk", "iconv_big5ToGbk"},
                                                         {"ours_gbkToTraditionalBig5", "iconv_gbkToBig5"},
                                                         {"ours_gbkToBig5_traditionalText", "iconv_gbkToBig5_traditionalText"},
                                                         {"ours_utf8ToGbk", "iconv_utf8ToGbk"},
                                                         {"ours_decodeUnicodeSubtitles", "iconv_utf8ToUtf16"},
                                                         {"ours_decodeUnsignedUnicodeSubtitles", "iconv_utf8ToUtf16"},
                                                         {"ours_decodeChineseUnicodeSubtitles", "iconv_utf8ToGbk"}};
    for (const auto& [ours, theirs] : pairs) {
      if (seconds_.count(ours) && seconds_.count(theirs)) {
        std::printf("%-35s %6.2fx the speed of %s\n", ours, seconds_[theirs] / seconds_[ours], theirs);
      }
    }
  }

private:
  std::map<std::string, double> seconds_;
};

}  // namespace

int main(int argc, char** argv) {
  const char* defaultMalloc = std::getenv("QUORVANE_BENCH_DEFAULT_MALLOC");
  if (defaultMalloc == nullptr || std::string(defaultMalloc) != "1") {
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);  // glibc's largest
    mallopt(M_TRIM_THRESHOLD, 1024 * 1024 * 1024);
  }
  benchmark::Initialize(&argc, argv);
  std::printf("input: %zu bytes GBK, %zu bytes Big5, %zu bytes UTF-8, %zu bytes UTF-8 GBK cannot hold\n",
              texts().gbk.size(), texts().big5.size(), texts().utf8.size(), texts().unicode.size());
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
