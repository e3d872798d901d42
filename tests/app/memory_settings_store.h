#pragma once

#include <map>
#include <string>
#include <string_view>

#include "app/settings_store.h"
#include "encoding/text_bytes.h"

// A settings store held in memory. Paths compare without regard to ASCII case, as
// registry key and value names do.
class MemorySettingsStore final : public SettingsStore {
public:
  std::string readText(std::string_view valuePath, std::string_view defaultText) const override {
    const auto found = values_.find(folded(valuePath));
    return found == values_.end() ? std::string(defaultText) : found->second;
  }

  void writeText(std::string_view valuePath, std::string_view text) override {
    values_[folded(valuePath)] = std::string(upToFirstNul(text));
    ++writeCount_;
  }

  bool holds(std::string_view valuePath) const { return values_.count(folded(valuePath)) != 0; }
  int writeCount() const { return writeCount_; }

private:
  static std::string folded(std::string_view path) {
    std::string key(path);
    for (char& c : key) {
      if (c >= 'A' && c <= 'Z') {
        c = static_cast<char>(c - 'A' + 'a');
      }
    }
    return key;
  }

  std::map<std::string, std::string> values_;
  int writeCount_ = 0;
};
