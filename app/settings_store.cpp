#include "app/settings_store.h"

ValuePath splitValuePath(std::string_view valuePath) {
  const size_t cut = valuePath.rfind('\\');
  if (cut == std::string_view::npos) {
    return {{}, valuePath};
  }
  return {valuePath.substr(0, cut), valuePath.substr(cut + 1)};
}
