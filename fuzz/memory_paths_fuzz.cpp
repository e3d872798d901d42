// Path texts, byte lists and patch texts of the process-memory class, over a small simulated
// process: any text must give a defined result without reading outside what it was given.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "memory/path_text.h"
#include "memory/process_memory.h"
#include "simulated_process.h"

namespace {

SimulatedProcess& servedProcess() {
  static SimulatedProcess* process = [] {
    auto* p = new SimulatedProcess;
    p->addMainImage();
    p->addRegion({.base = 0x10000000, .size = 0x2000, .allocationBase = 0x10000000});
    // Pointers into the image and the heap, so chains go somewhere.
    p->place(SimulatedProcess::IMAGE_DATA, std::string("\x00\x00\x00\x10\x10\x70\x40\x00", 8));
    p->place(0x10000010, std::string("\x00\x70\x40\x00", 4));
    return p;
  }();
  return *process;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  parseMemoryPath(text);
  if (auto list = parseByteList(text)) {
    // A list that parses must print back to a list that parses to the same bytes.
    if (parseByteList(formatByteList(*list)) != list) __builtin_trap();
  }
  parseDecimal32(text);
  readHexText(text);

  SimulatedProcess& process = servedProcess();
  process.writes.clear();
  process.reads.clear();
  内存操作类 memory(process, process);
  memory.openProcess(1234, 1);
  memory.resolvePath(text);
  memory.readIntegerAtPath(text);
  memory.readBytesAtPath(text);
  std::string previous;
  memory.applyPatches(text, previous, 1);
  return 0;
}
