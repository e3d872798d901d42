#pragma once

#include <string>
#include <string_view>

// Where the user's choices live between runs: text values addressed by one path,
// "key path\value name", whose last backslash separates the key from the value name.
// Key and value names are case-insensitive, as in the registry.
class SettingsStore {
public:
  virtual ~SettingsStore() = default;

  // The stored text of `valuePath` (up to its first NUL), or `defaultText` when the
  // key or the value does not exist.
  virtual std::string readText(std::string_view valuePath, std::string_view defaultText) const = 0;

  // Stores `text` under `valuePath`, creating the key when it does not exist. A failed
  // write changes nothing and reports nothing.
  virtual void writeText(std::string_view valuePath, std::string_view text) = 0;
};

struct ValuePath {
  std::string_view key;   // empty when the path holds no backslash
  std::string_view name;
};

// Splits at the last backslash: "A\B\name" -> {"A\B", "name"}.
ValuePath splitValuePath(std::string_view valuePath);

// The registry of the local machine (HKEY_LOCAL_MACHINE). Values are REG_SZ strings; a
// value of any other type reads as missing. Windows builds only.
class RegistrySettingsStore final : public SettingsStore {
public:
  std::string readText(std::string_view valuePath, std::string_view defaultText) const override;
  void writeText(std::string_view valuePath, std::string_view text) override;
};
