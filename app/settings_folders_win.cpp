#include <windows.h>

#include "app/settings.h"
#include "encoding/text_bytes.h"

namespace {

// Owns a FindFirstFileA search.
class FileSearch {
public:
  explicit FileSearch(HANDLE handle) : handle_(handle) {}
  FileSearch(const FileSearch&) = delete;
  FileSearch& operator=(const FileSearch&) = delete;
  ~FileSearch() {
    if (valid()) {
      FindClose(handle_);
    }
  }

  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

private:
  HANDLE handle_;
};

}  // namespace

std::vector<std::string> Win32FolderLister::folderNames(std::string_view parentFolder) const {
  std::vector<std::string> names;
  std::string pattern(upToFirstNul(parentFolder));
  pattern += "*.*";
  WIN32_FIND_DATAA entry;
  FileSearch search(FindFirstFileA(pattern.c_str(), &entry));
  if (!search.valid()) {
    return names;
  }
  do {
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      names.emplace_back(entry.cFileName);
    }
  } while (FindNextFileA(search.get(), &entry));
  return names;
}
