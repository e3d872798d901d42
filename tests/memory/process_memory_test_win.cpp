// The process-memory class against a real process under Wine: the simulated player.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "memory/path_text.h"
#include "memory/process_memory.h"
#include "memory/handle_win.h"
#include "simulated_player/running_player_win.h"
#include "simulated_player/simulated_player_layout.h"

namespace {

using namespace simulated_player;

std::string patternBytes() {
  return std::string(reinterpret_cast<const char*>(TIME_BLOCK_PATTERN.data()),
                     TIME_BLOCK_PATTERN.size());
}

class RealProcessTest : public testing::Test {
protected:
  void SetUp() override {
    resetProgressCells();
    ASSERT_TRUE(player.ready) << "the simulated player did not start";
    ASSERT_EQ(memory.openProcess(player.id, 1), 1);
    data = memory.findPattern(MARKER, {}, 0x400000, 0x10000000);
    ASSERT_NE(data, 0u);
  }

  // Standing at the time the image was built with, so its cells hold TIME_DIGITS.
  RunningPlayer player{besideThisProgram("PowerDVD.exe"),
                       "--hidden --start 1:23:45 --paused --limit 60"};
  内存操作类 memory{win32MemoryBackend(), win32ProcessControl()};
  Address data = 0;
};

TEST_F(RealProcessTest, FindsTheDataInTheMainImage) {
  const RegionInfo region = memory.queryRegion(data);
  EXPECT_EQ(region.AllocationBase, IMAGE_BASE);
  EXPECT_EQ(region.Type, MEM_IMAGE_TYPE);
  EXPECT_GT(region.RegionSize, PAGE_BYTES);
  EXPECT_EQ(region.BaseAddress, data - data % PAGE_BYTES);
  EXPECT_EQ(memory.isSearchableImageRegion(data), 1);
  EXPECT_EQ(memory.isReadable(data), 1);
  EXPECT_EQ(memory.readBytes(data, static_cast<int32_t>(MARKER.size())), MARKER);
  EXPECT_EQ(memory.isImageMemory(data), 1);
}

TEST_F(RealProcessTest, FindsTheTimeBlockPatternAndTheBlockBehindIt) {
  const Address match = memory.findPattern(patternBytes(), {}, 0x400000, 0x10000000);
  ASSERT_EQ(match, data + PATTERN_OFFSET);
  const Address block = match + TIME_BLOCK_DISTANCE;
  for (int32_t cell = 0; cell < int32_t{TIME_DIGIT_CELL_COUNT}; ++cell) {
    EXPECT_EQ(memory.readInteger(block - DIGIT_CELL_SPACING * (4 - cell), 1),
              TIME_DIGITS[cell] + 1);
  }
  EXPECT_EQ(memory.readInteger(block + PLAY_STATE_DISTANCE), PLAY_STATE_PAUSED);
}

TEST_F(RealProcessTest, ReadsAndWritesThroughAPointerChain) {
  const int32_t throughPointer[] = {0};
  EXPECT_EQ(memory.readInteger(data + POINTER_OFFSET, 4, throughPointer), INITIAL_VALUE);
  EXPECT_EQ(memory.writeInteger(data + POINTER_OFFSET, 0x0BADF00D, 4, throughPointer), 1);
  EXPECT_EQ(memory.readInteger(data + VALUE_OFFSET), 0x0BADF00D);
  EXPECT_EQ(memory.readIntegerAtPath(hexText(data + POINTER_OFFSET) + "+0"), 0x0BADF00D);
  EXPECT_EQ(memory.resolvePath(hexText(data + POINTER_OFFSET) + "+4"), data + VALUE_OFFSET + 4);
}

TEST_F(RealProcessTest, AppliesPatchesOnlyWhereTheBytesDiffer) {
  const std::string path = hexText(data + VALUE_OFFSET);
  std::string previous;
  EXPECT_EQ(memory.applyPatches(path + "=5", previous, 1), 1);
  EXPECT_EQ(previous, path + "={120,86,52,18}");
  EXPECT_EQ(memory.readBytesAtPath(path + "=4"), std::string("\x05\0\0\0", 4));
  EXPECT_EQ(memory.applyPatches(path + "={5,0,0,0}", previous, 1), 1);
  EXPECT_EQ(previous, path + "={5,0,0,0}");
}

TEST_F(RealProcessTest, ChangesAndRestoresProtection) {
  const uint32_t original = memory.queryRegion(data).Protect;
  EXPECT_EQ(memory.setProtection(data, PROTECT_READONLY, PAGE_BYTES), original);
  EXPECT_EQ(memory.queryRegion(data).Protect, PROTECT_READONLY);
  EXPECT_EQ(memory.setProtection(data, original, PAGE_BYTES), PROTECT_READONLY);
}

TEST_F(RealProcessTest, AllocatesUsesAndFreesMemory) {
  const Address block = memory.allocateMemory(64);
  ASSERT_NE(block, 0u);
  EXPECT_EQ(memory.writeText(block, "PowerDVD"), 1);
  EXPECT_EQ(memory.readText(block), "PowerDVD");
  EXPECT_EQ(memory.queryRegion(block).Protect, PROTECT_READWRITE);
  memory.freeMemory(block);
  // Wine may still read freed pages (as zeros); the region says they are gone.
  EXPECT_EQ(memory.queryRegion(block).State, MEM_FREE_STATE);
  EXPECT_EQ(memory.isReadable(block), 0);
}

TEST_F(RealProcessTest, FindAllListsTheMarkerInTheMainImage) {
  std::vector<Address> found;
  EXPECT_EQ(memory.findAll(MARKER, found, {}, 0x400000, 0x10000000, 4), 1);
  EXPECT_EQ(found, std::vector<Address>{data});
}

TEST_F(RealProcessTest, TellsWhereTheMainModuleLies) {
  const ModuleInfo info = memory.getModuleInfo(IMAGE_BASE);
  EXPECT_EQ(info.baseAddress, IMAGE_BASE);
  EXPECT_GT(info.imageSize, data - IMAGE_BASE);
}

TEST_F(RealProcessTest, ACopyHoldsAHandleOfItsOwn) {
  {
    const std::unique_ptr<内存操作类> copy = memory.copy();
    EXPECT_NE(copy->getProcessHandle(), memory.getProcessHandle());
    EXPECT_EQ(copy->readBytes(data, static_cast<int32_t>(MARKER.size())), MARKER);
  }
  EXPECT_EQ(memory.readBytes(data, static_cast<int32_t>(MARKER.size())), MARKER);
}

TEST_F(RealProcessTest, TerminatesTheServedProcess) {
  EXPECT_EQ(memory.terminateProcess(), 1);
  EXPECT_EQ(memory.getProcessHandle(), NO_PROCESS);
  EXPECT_TRUE(player.hasEnded());
  EXPECT_EQ(memory.closeProcess(), 0);
}

TEST_F(RealProcessTest, ClosingTwiceFailsTheSecondTime) {
  EXPECT_EQ(memory.closeProcess(), 1);
  EXPECT_EQ(memory.closeProcess(), 0);
  EXPECT_EQ(memory.findPattern(MARKER, {}, 0x400000, 0x10000000), 0u);
}

TEST(RealProcess, AnIdWithoutAProcessCannotBeOpened) {
  内存操作类 memory(win32MemoryBackend(), win32ProcessControl());
  EXPECT_EQ(memory.openProcess(0xFFFFFFF0, 1), 0);
  EXPECT_EQ(memory.getProcessHandle(), NO_PROCESS);
}

// Whether this process's token holds SeDebugPrivilege enabled.
bool debugPrivilegeEnabled() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  const OwnedHandle ownedToken(token);
  LUID debug{};
  if (!LookupPrivilegeValueA(nullptr, "SeDebugPrivilege", &debug)) return false;
  DWORD size = 0;
  GetTokenInformation(token, TokenPrivileges, nullptr, 0, &size);
  std::vector<unsigned char> buffer(size);
  if (size == 0 || !GetTokenInformation(token, TokenPrivileges, buffer.data(), size, &size)) {
    return false;
  }
  const auto* privileges = reinterpret_cast<const TOKEN_PRIVILEGES*>(buffer.data());
  for (DWORD i = 0; i < privileges->PrivilegeCount; ++i) {
    const LUID_AND_ATTRIBUTES& held = privileges->Privileges[i];
    if (held.Luid.LowPart == debug.LowPart && held.Luid.HighPart == debug.HighPart) {
      return (held.Attributes & SE_PRIVILEGE_ENABLED) != 0;
    }
  }
  return false;
}

TEST(RealProcess, ReportsTheDebugPrivilegeEnabledExactlyWhenItIs) {
  const int32_t result = win32ProcessControl().enableDebugPrivilege();
  EXPECT_TRUE(result == 0 || result == 1) << result;
  EXPECT_EQ(result == 1, debugPrivilegeEnabled());
}

TEST(RealProcess, ServesItselfThroughThePseudoHandle) {
  内存操作类 memory(win32MemoryBackend(), win32ProcessControl());
  EXPECT_EQ(memory.getProcessHandle(), CURRENT_PROCESS);
  static const uint32_t local = 0x5EED5EED;
  const Address address = static_cast<Address>(reinterpret_cast<uintptr_t>(&local));
  if (reinterpret_cast<uintptr_t>(&local) <= UINT32_MAX) {
    EXPECT_EQ(memory.readInteger(address), static_cast<int32_t>(0x5EED5EED));
  }
  EXPECT_EQ(memory.closeProcess(), 1);
}

}  // namespace
