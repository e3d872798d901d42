#include <windows.h>

#include <string>

#include "app/settings_store.h"
#include "encoding/text_bytes.h"

namespace {

// Owns an open registry key.
class RegistryKey {
public:
  RegistryKey() = default;
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;
  ~RegistryKey() {
    if (key_) {
      RegCloseKey(key_);
    }
  }

  HKEY* out() { return &key_; }
  HKEY get() const { return key_; }

private:
  HKEY key_ = nullptr;
};

// Registry paths are NUL-terminated; a path holding a NUL is cut there.
std::string terminated(std::string_view text) {
  return std::string(upToFirstNul(text));
}

}  // namespace

std::string RegistrySettingsStore::readText(std::string_view valuePath,
                                            std::string_view defaultText) const {
  const ValuePath path = splitValuePath(valuePath);
  RegistryKey key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, terminated(path.key).c_str(), 0, KEY_QUERY_VALUE,
                    key.out()) != ERROR_SUCCESS) {
    return std::string(defaultText);
  }
  const std::string name = terminated(path.name);
  // The value may grow between the size query and the read; ask again then.
  for (;;) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ) {
      return std::string(defaultText);
    }
    std::string data(size, '\0');
    const LONG result = RegQueryValueExA(key.get(), name.c_str(), nullptr, &type,
                                         reinterpret_cast<BYTE*>(data.data()), &size);
    if (result == ERROR_MORE_DATA) {
      continue;
    }
    if (result != ERROR_SUCCESS || type != REG_SZ) {
      return std::string(defaultText);
    }
    data.resize(size);
    return terminated(data);
  }
}

void RegistrySettingsStore::writeText(std::string_view valuePath, std::string_view text) {
  const ValuePath path = splitValuePath(valuePath);
  RegistryKey key;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, terminated(path.key).c_str(), 0, nullptr,
                      REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, key.out(),
                      nullptr) != ERROR_SUCCESS) {
    return;
  }
  const std::string data = terminated(text);
  RegSetValueExA(key.get(), terminated(path.name).c_str(), 0, REG_SZ,
                 reinterpret_cast<const BYTE*>(data.c_str()),
                 static_cast<DWORD>(data.size() + 1));
}
