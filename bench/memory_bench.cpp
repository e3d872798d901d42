// findPattern of the player's 49-byte signature over a 64 MiB image region whose only match
// lies at its very end, beside glibc memmem and the class's own in-buffer scan over the same
// bytes. Two fillings: random bytes, and near misses (the signature's first 32 bytes over and
// over, so every 16 bytes is a candidate that fails late).
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <string>

#include "memory/byte_search.h"
#include "memory/process_memory.h"

namespace {

constexpr Address IMAGE_BASE = 0x400000;
constexpr Address DATA = 0x401000;
constexpr uint32_t DATA_SIZE = 64u << 20;

const std::string SIGNATURE = [] {
  const unsigned char bytes[49] = {3, 0, 0, 0, 0, 0, 0, 0, 0,    0,    0, 0, 0, 0, 0, 0, 3,
                                   0, 0, 0, 0, 0, 0, 0, 0, 0,    0,    0, 0, 0, 0, 0, 0x49,
                                   0x27, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x13};
  return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}();

std::string imageData(bool nearMisses) {
  std::string data(DATA_SIZE, '\0');
  if (nearMisses) {
    for (size_t i = 0; i + 32 <= data.size(); i += 32) data.replace(i, 32, SIGNATURE, 0, 32);
  } else {
    std::mt19937 random(7);
    for (char& byte : data) byte = static_cast<char>(random());
  }
  data.replace(data.size() - SIGNATURE.size(), SIGNATURE.size(), SIGNATURE);
  return data;
}

// A header page and one writable section of the main image.
class ImageBackend final : public MemoryBackend {
public:
  explicit ImageBackend(std::string data) : data(std::move(data)) {}

  bool query(ProcessHandle, Address address, RegionInfo& region) override {
    const Address page = address & ~(PAGE_BYTES - 1);
    if (address < IMAGE_BASE || address >= DATA + DATA_SIZE) return false;
    const bool header = address < DATA;
    region = {page, IMAGE_BASE, PROTECT_READWRITE, (header ? DATA : DATA + DATA_SIZE) - page,
              MEM_COMMIT_STATE, header ? PROTECT_READONLY : PROTECT_READWRITE, MEM_IMAGE_TYPE};
    return true;
  }

  bool read(ProcessHandle, Address address, uint32_t size, std::string& bytes) override {
    if (address < DATA || uint64_t{address} + size > uint64_t{DATA} + DATA_SIZE) return false;
    bytes.assign(data, address - DATA, size);
    return true;
  }

  const std::string data;
};

// The search needs no process control.
class NoControl final : public ProcessControl {
public:
  ProcessHandle openProcess(uint32_t) override { return NO_PROCESS; }
  bool closeHandle(ProcessHandle) override { return true; }
  ProcessHandle duplicateHandle(ProcessHandle process) override { return process; }
  bool write(ProcessHandle, Address, std::string_view) override { return false; }
  bool protect(ProcessHandle, Address, uint32_t, uint32_t, uint32_t&) override { return false; }
  Address allocate(ProcessHandle, uint32_t) override { return 0; }
  bool release(ProcessHandle, Address) override { return false; }
  bool terminate(ProcessHandle, uint32_t) override { return false; }
  ProcessHandle startProcess(std::string_view, std::string_view, std::string_view) override {
    return NO_PROCESS;
  }
  void pause(int32_t, const std::function<void()>&) override {}
  uint32_t windowProcessId(uint32_t) override { return 0; }
  int32_t enableDebugPrivilege() override { return 0; }
  int32_t trimWorkingSet(ProcessHandle) override { return 0; }
  uint32_t ownModuleHandle() override { return 0; }
  bool moduleInformation(ProcessHandle, uint32_t, ModuleInfo&) override { return false; }
  bool loadLibraryAt(ProcessHandle, Address) override { return false; }
};

const std::string& filling(int64_t nearMisses) {
  static const std::string random = imageData(false);
  static const std::string misses = imageData(true);
  return nearMisses != 0 ? misses : random;
}

void findPatternInImage(benchmark::State& state) {
  ImageBackend backend(filling(state.range(0)));
  NoControl control;
  内存操作类 memory(backend, control);
  const Address expected = DATA + DATA_SIZE - static_cast<Address>(SIGNATURE.size());
  for (auto _ : state) {
    const Address found = memory.findPattern(SIGNATURE, {}, IMAGE_BASE, 0x10000000);
    if (found != expected) state.SkipWithError("signature not found at the end");
    benchmark::DoNotOptimize(found);
  }
  state.SetBytesProcessed(state.iterations() * int64_t{DATA_SIZE});
}

void findBytesInBuffer(benchmark::State& state) {
  const std::string& data = filling(state.range(0));
  for (auto _ : state) {
    benchmark::DoNotOptimize(findBytes(data, SIGNATURE));
  }
  state.SetBytesProcessed(state.iterations() * int64_t{DATA_SIZE});
}

void glibcMemmem(benchmark::State& state) {
  const std::string& data = filling(state.range(0));
  for (auto _ : state) {
    benchmark::DoNotOptimize(memmem(data.data(), data.size(), SIGNATURE.data(), SIGNATURE.size()));
  }
  state.SetBytesProcessed(state.iterations() * int64_t{DATA_SIZE});
}

}  // namespace

BENCHMARK(findPatternInImage)->ArgName("nearMisses")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(findBytesInBuffer)->ArgName("nearMisses")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(glibcMemmem)->ArgName("nearMisses")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
