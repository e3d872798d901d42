// Our code-page tables against the platform's own conversions (run under Wine).
#include "encoding/code_page.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <random>
#include <string>

namespace {

std::u16string platformDecode(UINT codePage, const std::string& bytes) {
  wchar_t units[16];
  const int count = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), units, 16);
  return std::u16string(reinterpret_cast<const char16_t*>(units), count > 0 ? count : 0);
}

std::string platformEncode(UINT codePage, const std::u16string& units, DWORD flags) {
  char bytes[16];
  const int count = WideCharToMultiByte(codePage, flags, reinterpret_cast<const wchar_t*>(units.data()),
                                        static_cast<int>(units.size()), bytes, 16, nullptr, nullptr);
  return std::string(bytes, count > 0 ? count : 0);
}

std::string hex(const std::string& bytes) {
  std::string text;
  char part[4];
  for (const char byte : bytes) {
    std::snprintf(part, sizeof part, "%02X ", static_cast<unsigned char>(byte));
    text += part;
  }
  return text;
}

std::string hex(const std::u16string& units) {
  std::string text;
  char part[8];
  for (const char16_t unit : units) {
    std::snprintf(part, sizeof part, "%04X ", static_cast<unsigned>(unit));
    text += part;
  }
  return text;
}

// Counts the differences and describes the first few.
class Differences {
public:
  template <typename Input, typename Output>
  void check(const Input& input, const Output& ours, const Output& platform) {
    if (ours == platform) return;
    if (++count_ <= 10) examples_ += hex(input) + "-> ours " + hex(ours) + "platform " + hex(platform) + "\n";
  }
  int count() const { return count_; }
  const std::string& examples() const { return examples_; }

private:
  int count_ = 0;
  std::string examples_;
};

class PlatformCodePageTest : public testing::TestWithParam<CodePage> {
protected:
  CodePage codePage() const { return GetParam(); }
  UINT platformCodePage() const { return static_cast<UINT>(GetParam()); }
};

TEST_P(PlatformCodePageTest, EveryByteAndDoubleByteCodeDecodesAlike) {
  Differences differences;
  for (int first = 0; first <= 0xFF; ++first) {
    const std::string single(1, static_cast<char>(first));
    differences.check(single, decodeCodePage(codePage(), single), platformDecode(platformCodePage(), single));
    if (first < 0x81 || first > 0xFE) continue;
    for (int trail = 0x00; trail <= 0xFF; ++trail) {
      const std::string pair{static_cast<char>(first), static_cast<char>(trail)};
      differences.check(pair, decodeCodePage(codePage(), pair), platformDecode(platformCodePage(), pair));
    }
  }
  EXPECT_EQ(differences.count(), 0) << differences.examples();
}

TEST_P(PlatformCodePageTest, EveryUtf16UnitEncodesAlike) {
  Differences differences;
  for (int unit = 0; unit <= 0xFFFF; ++unit) {
    const std::u16string units(1, static_cast<char16_t>(unit));
    differences.check(units, encodeCodePage(codePage(), units), platformEncode(platformCodePage(), units, 0));
  }
  EXPECT_EQ(differences.count(), 0) << differences.examples();
}

TEST_P(PlatformCodePageTest, BaseAndCombiningMarkComposeAlike) {
  Differences differences;
  for (int base = 0x20; base <= 0x24F; ++base) {
    for (int mark = 0x300; mark <= 0x36F; ++mark) {
      const std::u16string units{static_cast<char16_t>(base), static_cast<char16_t>(mark)};
      differences.check(units, encodeCodePage(codePage(), units, CompositeCheck::ON),
                        platformEncode(platformCodePage(), units, WC_COMPOSITECHECK));
    }
  }
  EXPECT_EQ(differences.count(), 0) << differences.examples();
}

INSTANTIATE_TEST_SUITE_P(CodePages, PlatformCodePageTest, testing::Values(CodePage::GBK, CodePage::BIG5),
                         [](const auto& info) { return info.param == CodePage::GBK ? "Gbk" : "Big5"; });

TEST(PlatformUtf8, RandomBytesDecodeAlike) {
  // Bytes drawn mostly from lead and continuation ranges, where repair rules differ.
  const char pool[] = "\x41\x80\x8F\x90\x9F\xA0\xBF\xC0\xC1\xC2\xDF\xE0\xE1\xED\xEE\xEF\xF0\xF1\xF4\xF5\xF8\xFF";
  std::mt19937 random(936950);
  std::uniform_int_distribution<size_t> pick(0, sizeof pool - 2), length(1, 8);
  Differences differences;
  for (int round = 0; round < 20000; ++round) {
    std::string bytes(length(random), '\0');
    for (char& byte : bytes) byte = pool[pick(random)];
    // Wine swallows the bytes after a lead byte cut off by the end of the input; we keep
    // them. Ending on ASCII keeps that case out of the comparison.
    bytes += "ZZZZ";
    wchar_t units[32];
    const int count = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), units, 32);
    differences.check(bytes, utf8ToUtf16Units(bytes),
                      std::u16string(reinterpret_cast<const char16_t*>(units), count > 0 ? count : 0));
  }
  EXPECT_EQ(differences.count(), 0) << differences.examples();
}

TEST(PlatformUtf8, SurrogatesEncodeAlike) {
  Differences differences;
  for (const std::u16string& units : {std::u16string(u"a\xD800"), std::u16string(u"\xDC00z"),
                                      std::u16string(u"\U0001F600"), std::u16string(u"\xDBFF\xDBFF")}) {
    differences.check(units, utf16UnitsToUtf8(units), platformEncode(CP_UTF8, units, 0));
  }
  EXPECT_EQ(differences.count(), 0) << differences.examples();
}

}  // namespace
