// The path-text operations of the process-memory class.
#include "encoding/text_bytes.h"
#include "memory/little_endian.h"
#include "memory/path_text.h"
#include "memory/process_memory.h"

namespace {

constexpr Address SHORT_TEXT_ADDRESS = 0xFFFFFFFF;

std::optional<MemoryPath> pathBeforeEquals(std::string_view spaceless) {
  return parseMemoryPath(spaceless.substr(0, spaceless.find('=')));
}

}  // namespace

Address 内存操作类::resolvePath(std::string_view path) {
  path = upToFirstNul(path);
  if (path.size() < 2) {
    return SHORT_TEXT_ADDRESS;
  }
  const std::optional<MemoryPath> parsed = pathBeforeEquals(removeSpaces(path));
  if (processHandle == NO_PROCESS || !parsed) {
    return 0;
  }
  Address address = parsed->address;
  for (int32_t offset : parsed->offsets) {
    std::string bytes;
    if (!backend->read(processHandle, address, 4, bytes)) {
      return 0;
    }
    address = static_cast<Address>(fromLittleEndian(bytes)) + static_cast<uint32_t>(offset);
  }
  return isReadable(address) != 0 ? address : 0;
}

int32_t 内存操作类::readIntegerAtPath(std::string_view path) {
  path = upToFirstNul(path);
  const std::optional<MemoryPath> parsed =
      path.size() < 2 ? std::nullopt : pathBeforeEquals(removeSpaces(path));
  if (!parsed) {
    return -1;
  }
  return static_cast<int32_t>(readInteger(parsed->address, 4, parsed->offsets));
}

std::string 内存操作类::readBytesAtPath(std::string_view pathAndLength) {
  pathAndLength = upToFirstNul(pathAndLength);
  if (pathAndLength.size() < 2) {
    return {};
  }
  const std::string spaceless = removeSpaces(pathAndLength);
  const size_t equals = spaceless.find('=');
  const std::optional<MemoryPath> parsed = pathBeforeEquals(spaceless);
  if (!parsed || equals == std::string::npos) {
    return {};
  }
  const std::string_view rest = std::string_view(spaceless).substr(equals + 1);
  const std::string_view lengthText = rest.substr(0, rest.find('='));
  std::optional<int32_t> length;
  if (lengthText.starts_with('{')) {
    if (const std::optional<std::string> list = parseByteList(lengthText)) {
      length = static_cast<int32_t>(list->size());
    }
  } else {
    length = parseDecimal32(lengthText);
  }
  if (!length || *length == 0 || *length < -1) {
    return {};
  }
  // -1 reads up to the end of the region, which is readBytes' length 0.
  return readBytes(parsed->address, *length == -1 ? 0 : *length, parsed->offsets);
}

int32_t 内存操作类::applyPatches(std::string_view patches, std::string& previous,
                                int32_t returnPrevious) {
  previous.clear();
  return applyPatch(upToFirstNul(patches), previous, returnPrevious != 0);
}

int32_t 内存操作类::applyPatch(std::string_view patch, std::string& previous,
                              bool returnPrevious) {
  if (patch.empty()) {
    return 1;
  }
  if (patch.size() == 1) {
    return 0;
  }
  if (patch.find('|') != std::string_view::npos) {
    int32_t allApplied = 1;
    while (true) {
      const size_t bar = patch.find('|');
      std::string piecePrevious;
      if (applyPatch(patch.substr(0, bar), piecePrevious, true) != 1) {
        allApplied = 0;
      }
      previous += piecePrevious + "|";
      if (bar == std::string_view::npos) {
        return allApplied;
      }
      patch.remove_prefix(bar + 1);
    }
  }

  const std::string spaceless = removeSpaces(patch);
  const size_t equals = spaceless.find('=');
  const std::optional<MemoryPath> path = pathBeforeEquals(spaceless);
  if (!path || equals == std::string::npos) {
    return 0;
  }
  const std::string_view valueText = std::string_view(spaceless).substr(equals + 1);
  std::string value;
  if (valueText.find('=') != std::string_view::npos) {
    value = readBytesAtPath(valueText);
  } else if (valueText.starts_with('{')) {
    value = parseByteList(valueText).value_or("");
  } else if (const std::optional<int32_t> number = parseDecimal32(valueText)) {
    value = littleEndian(static_cast<uint32_t>(*number), 4);
  }
  // Nothing to write: a malformed value, an empty list, or a source that could not be read.
  if (value.empty() || processHandle == NO_PROCESS) {
    return 0;
  }
  const std::string present =
      readBytes(path->address, static_cast<int32_t>(value.size()), path->offsets);
  if (returnPrevious) {
    previous = spaceless.substr(0, equals) + "=" + formatByteList(present);
  }
  if (present == value) {
    return 1;
  }
  return writeBytes(path->address, value, 0, path->offsets);
}
