#include "memory/process_memory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>

#include "simulated_process.h"

namespace {

using namespace std::string_literals;

constexpr uint32_t PLAYER_ID = 1234;
constexpr Address HEAP = 0x10000000;  // two pages of private read-write memory

class ProcessMemoryTest : public testing::Test {
protected:
  ProcessMemoryTest() {
    sim.addMainImage();
    sim.addRegion({.base = HEAP, .size = 2 * PAGE_BYTES, .allocationBase = HEAP});
  }

  // Serves the simulated player through a handle of its own.
  void open() { ASSERT_EQ(memory.openProcess(PLAYER_ID, 1), 1); }

  SimulatedProcess sim;
  内存操作类 memory{sim, sim};
};

TEST_F(ProcessMemoryTest, ServesItsOwnProcessOnceConstructed) {
  EXPECT_EQ(memory.getProcessHandle(), CURRENT_PROCESS);
  EXPECT_TRUE(memory.getFoundAddresses().empty());
  EXPECT_TRUE(memory.getSharedViews().empty());
  EXPECT_EQ(memory.getDebugPrivilegeRaised(), 0);
}

TEST_F(ProcessMemoryTest, OpeningClosesTheHandleHeldBefore) {
  open();
  const ProcessHandle first = memory.getProcessHandle();
  open();
  EXPECT_NE(memory.getProcessHandle(), first);
  EXPECT_EQ(sim.openHandles.count(first), 0u);
  EXPECT_EQ(sim.openHandles.size(), 1u);
}

TEST_F(ProcessMemoryTest, AnIdThatCannotBeOpenedLeavesNoHandle) {
  EXPECT_EQ(memory.openProcess(999, 1), 0);
  EXPECT_EQ(memory.getProcessHandle(), NO_PROCESS);
  EXPECT_EQ(memory.closeProcess(), 0);
}

TEST_F(ProcessMemoryTest, OpenOtherZeroServesTheCallingProcessWhateverTheId) {
  open();
  EXPECT_EQ(memory.openProcess(999, 0), 1);
  EXPECT_EQ(memory.getProcessHandle(), CURRENT_PROCESS);
  EXPECT_TRUE(sim.openHandles.empty());
}

TEST_F(ProcessMemoryTest, ASecondCloseReturnsZeroAndCallsNothing) {
  open();
  EXPECT_EQ(memory.closeProcess(), 1);
  EXPECT_EQ(memory.getProcessHandle(), NO_PROCESS);
  const size_t closes = sim.closedHandles.size();
  EXPECT_EQ(memory.closeProcess(), 0);
  EXPECT_EQ(sim.closedHandles.size(), closes);
}

TEST_F(ProcessMemoryTest, DestructionClosesTheHandle) {
  {
    内存操作类 attached(sim, sim);
    ASSERT_EQ(attached.openProcess(PLAYER_ID, 1), 1);
    ASSERT_EQ(sim.openHandles.size(), 1u);
  }
  EXPECT_TRUE(sim.openHandles.empty());
}

// Two objects holding one handle value would close it twice; the copy gets its own handle.
TEST_F(ProcessMemoryTest, ACopyServesTheSameProcessThroughItsOwnHandle) {
  open();
  sim.place(HEAP, "\x2A\0\0\0"s);
  std::vector<Address> found;
  memory.findAll("\x2A\0\0\0"s, found, {}, HEAP, 0x20000000, 2);
  {
    const std::unique_ptr<内存操作类> copy = memory.copy();
    EXPECT_NE(copy->getProcessHandle(), memory.getProcessHandle());
    EXPECT_EQ(copy->getFoundAddresses(), memory.getFoundAddresses());
    EXPECT_EQ(copy->readInteger(HEAP), 42);
  }
  EXPECT_EQ(sim.openHandles.count(memory.getProcessHandle()), 1u);
  EXPECT_EQ(memory.readInteger(HEAP), 42);
}

TEST_F(ProcessMemoryTest, SetProcessHandleClosesTheCurrentOneAndAdoptsTheGiven) {
  open();
  const ProcessHandle old = memory.getProcessHandle();
  const ProcessHandle given = sim.openProcess(PLAYER_ID);
  memory.setProcessHandle(given);
  EXPECT_EQ(memory.getProcessHandle(), given);
  EXPECT_EQ(sim.openHandles.count(old), 0u);
}

TEST_F(ProcessMemoryTest, OpenWindowProcessOpensTheWindowsOwner) {
  sim.windowOwners[0x30042] = PLAYER_ID;
  EXPECT_EQ(memory.openWindowProcess(0x30042), 1);
  EXPECT_EQ(sim.openHandles.count(memory.getProcessHandle()), 1u);
  EXPECT_EQ(memory.openWindowProcess(0x999), 0);
  EXPECT_EQ(memory.getProcessHandle(), NO_PROCESS);
}

TEST_F(ProcessMemoryTest, StartProcessRunsInTheProgramsFolderAndWaits) {
  int pumped = 0;
  memory.setMessagePump([&] { ++pumped; });
  EXPECT_EQ(memory.startProcess("C:\\Players\\PowerDVD.exe", "-play"), 1);
  EXPECT_EQ(sim.started, std::vector<std::string>{"C:\\Players\\PowerDVD.exe|-play|C:\\Players\\"});
  EXPECT_EQ(sim.pauses, std::vector<int32_t>{200});
  EXPECT_EQ(pumped, 1);
  EXPECT_EQ(sim.openHandles.count(memory.getProcessHandle()), 1u);
}

TEST_F(ProcessMemoryTest, StartProcessWithoutAFolderUsesTheCurrentOne) {
  EXPECT_EQ(memory.startProcess("player.exe"), 1);
  EXPECT_EQ(sim.started, std::vector<std::string>{"player.exe||"});
}

TEST_F(ProcessMemoryTest, AProgramThatDoesNotStartLeavesNoHandle) {
  sim.canStart = false;
  EXPECT_EQ(memory.startProcess("C:\\missing.exe"), 0);
  EXPECT_EQ(memory.getProcessHandle(), NO_PROCESS);
  EXPECT_TRUE(sim.pauses.empty());
}

// A handle kept after it was closed would be closed again by the next closeProcess.
TEST_F(ProcessMemoryTest, TerminateProcessEndsAndLetsGoOfTheProcess) {
  open();
  const ProcessHandle served = memory.getProcessHandle();
  EXPECT_EQ(memory.terminateProcess(), 1);
  EXPECT_EQ(sim.terminated, std::vector<ProcessHandle>{served});
  EXPECT_EQ(memory.getProcessHandle(), NO_PROCESS);
  EXPECT_EQ(memory.closeProcess(), 0);
  EXPECT_EQ(memory.terminateProcess(), 0);
}

TEST_F(ProcessMemoryTest, DebugPrivilegeIsRaisedOnce) {
  EXPECT_EQ(memory.enableDebugPrivilege(), 1);
  EXPECT_EQ(memory.enableDebugPrivilege(), 1);
  EXPECT_EQ(sim.debugPrivilegeCalls, 1);
  EXPECT_EQ(memory.getDebugPrivilegeRaised(), 1);
}

// A failure must not be remembered as success.
TEST_F(ProcessMemoryTest, AFailedPrivilegeRaiseIsTriedAgain) {
  sim.debugPrivilegeResult = 0;
  EXPECT_EQ(memory.enableDebugPrivilege(), 0);
  EXPECT_EQ(memory.getDebugPrivilegeRaised(), 0);
  sim.debugPrivilegeResult = 1;
  EXPECT_EQ(memory.enableDebugPrivilege(), 1);
  EXPECT_EQ(sim.debugPrivilegeCalls, 2);
}

TEST_F(ProcessMemoryTest, WithoutAHandleEveryOperationGivesItsEmptyValue) {
  sim.place(SimulatedProcess::IMAGE_DATA, "\x07\0\0\0"s);
  memory.closeProcess();
  const int queriesBefore = sim.queries;
  std::vector<Address> found{1};
  std::vector<std::string> paths{"x"};
  std::string previous = "x";
  EXPECT_EQ(memory.isReadable(SimulatedProcess::IMAGE_DATA), 0);
  EXPECT_EQ(memory.isImageMemory(SimulatedProcess::IMAGE_DATA), 0);
  EXPECT_EQ(memory.isSearchableImageRegion(SimulatedProcess::IMAGE_DATA), 0);
  const RegionInfo region = memory.queryRegion(SimulatedProcess::IMAGE_DATA);
  EXPECT_EQ(std::memcmp(&region, "\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 28), 0);
  EXPECT_EQ(memory.setProtection(SimulatedProcess::IMAGE_DATA), 0u);
  EXPECT_EQ(memory.getModuleInfo(), ModuleInfo{});
  EXPECT_EQ(memory.allocateMemory(100), 0u);
  EXPECT_EQ(memory.trimWorkingSet(), 0);
  EXPECT_EQ(memory.readBytes(SimulatedProcess::IMAGE_DATA, 4), "");
  EXPECT_EQ(memory.readText(SimulatedProcess::IMAGE_DATA), "");
  EXPECT_EQ(memory.readInteger(SimulatedProcess::IMAGE_DATA), -1);
  EXPECT_EQ(memory.readFloat(SimulatedProcess::IMAGE_DATA), -1.0);
  EXPECT_EQ(memory.writeInteger(SimulatedProcess::IMAGE_DATA, 1), 0);
  EXPECT_EQ(memory.findAll("\x07"s, found, {}, 0x400000, 0x500000), 0);
  EXPECT_EQ(memory.filterFound("\x07"s, found), 0);
  EXPECT_TRUE(found.empty());
  EXPECT_EQ(memory.loadLibraryRemote("x.dll"), 0);
  EXPECT_EQ(memory.resolvePath("407000"), 0u);
  EXPECT_EQ(memory.readIntegerAtPath("407000"), -1);
  EXPECT_EQ(memory.readBytesAtPath("407000=4"), "");
  EXPECT_EQ(memory.applyPatches("407000=5", previous, 1), 0);
  EXPECT_EQ(memory.findPattern("\x07"s, {}, 0x400000, 0x10000000), 0u);
  EXPECT_EQ(memory.findPointerPaths("\x07"s, paths, {}, 0x400000, 0x500000), 0);
  EXPECT_TRUE(paths.empty());
  EXPECT_EQ(sim.queries, queriesBefore);
  EXPECT_TRUE(sim.writes.empty());
}

struct ProtectionCase {
  const char* name;
  uint32_t protect;
  int32_t readable;
};

class IsReadableTest : public ProcessMemoryTest,
                       public testing::WithParamInterface<ProtectionCase> {};

TEST_P(IsReadableTest, FollowsTheRegionsProtection) {
  sim.region(HEAP).protect = GetParam().protect;
  open();
  EXPECT_EQ(memory.isReadable(HEAP + 0x10), GetParam().readable);
}

INSTANTIATE_TEST_SUITE_P(
    Protections, IsReadableTest,
    testing::Values(ProtectionCase{"NoAccess", PROTECT_NOACCESS, 0},
                    ProtectionCase{"Execute", PROTECT_EXECUTE, 0},
                    ProtectionCase{"ExecuteWriteCopy", PROTECT_EXECUTE_WRITECOPY, 0},
                    ProtectionCase{"ReadOnly", PROTECT_READONLY, 1},
                    ProtectionCase{"ReadWrite", PROTECT_READWRITE, 1},
                    ProtectionCase{"WriteCopy", PROTECT_WRITECOPY, 1},
                    ProtectionCase{"ExecuteRead", PROTECT_EXECUTE_READ, 1}),
    [](const auto& info) { return std::string(info.param.name); });

// Past the end of the address space nothing can be read: not "readable".
TEST_F(ProcessMemoryTest, AnAddressWithoutARegionIsNotReadable) {
  open();
  EXPECT_EQ(memory.isReadable(0x7FFF0000), 0);
}

struct RegionKindCase {
  const char* name;
  Address address;
  int32_t image;
  int32_t searchableImage;
};

class RegionKindTest : public ProcessMemoryTest,
                       public testing::WithParamInterface<RegionKindCase> {};

TEST_P(RegionKindTest, TellsImageAndMainImageRegions) {
  sim.addRegion({.base = 0x10400000, .size = 0x4000, .allocationBase = 0x10400000,
                 .protect = PROTECT_EXECUTE_READ, .type = MEM_IMAGE_TYPE});
  sim.addRegion({.base = SimulatedProcess::IMAGE_END, .size = PAGE_BYTES,
                 .allocationBase = SimulatedProcess::IMAGE_BASE, .type = MEM_IMAGE_TYPE});
  open();
  EXPECT_EQ(memory.isImageMemory(GetParam().address), GetParam().image);
  EXPECT_EQ(memory.isSearchableImageRegion(GetParam().address), GetParam().searchableImage);
}

INSTANTIATE_TEST_SUITE_P(
    Regions, RegionKindTest,
    testing::Values(RegionKindCase{"HeaderPage", SimulatedProcess::IMAGE_BASE, 1, 0},
                    RegionKindCase{"Code", SimulatedProcess::IMAGE_CODE + 0x123, 1, 1},
                    RegionKindCase{"ReadOnlyData", SimulatedProcess::IMAGE_RDATA, 1, 0},
                    RegionKindCase{"WritableData", SimulatedProcess::IMAGE_DATA + 8, 1, 1},
                    RegionKindCase{"OnePageSection", SimulatedProcess::IMAGE_END, 1, 0},
                    RegionKindCase{"OtherModule", 0x10401000, 1, 0},
                    RegionKindCase{"Heap", HEAP, 0, 0},
                    RegionKindCase{"Free", 0x30000000, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProcessMemoryTest, QueryRegionCountsFromThePageOfTheAddress) {
  open();
  const RegionInfo region = memory.queryRegion(SimulatedProcess::IMAGE_DATA + 0x1234);
  EXPECT_EQ(region.BaseAddress, SimulatedProcess::IMAGE_DATA + 0x1000);
  EXPECT_EQ(region.RegionSize, 0x2000u);
  EXPECT_EQ(region.AllocationBase, SimulatedProcess::IMAGE_BASE);
  EXPECT_EQ(region.Protect, PROTECT_READWRITE);
  EXPECT_EQ(region.Type, MEM_IMAGE_TYPE);
  EXPECT_EQ(region.State, MEM_COMMIT_STATE);
}

struct IntegerCase {
  const char* name;
  std::string bytes;
  int32_t size;
  int64_t value;
};

class ReadIntegerTest : public ProcessMemoryTest,
                        public testing::WithParamInterface<IntegerCase> {};

TEST_P(ReadIntegerTest, ReadsLittleEndianAndWidensFrom32Bits) {
  sim.place(HEAP + 0x40, GetParam().bytes);
  open();
  EXPECT_EQ(memory.readInteger(HEAP + 0x40, GetParam().size), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, ReadIntegerTest,
    testing::Values(IntegerCase{"TwoBytesAllOnes", "\xFF\xFF\xFF\xFF"s, 2, 65535},
                    IntegerCase{"FourBytesAllOnes", "\xFF\xFF\xFF\xFF"s, 4, -1},
                    IntegerCase{"DefaultIsFour", "\x78\x56\x34\x12\xFF"s, 0, 0x12345678},
                    IntegerCase{"OneByte", "\x80\xFF"s, 1, 128},
                    IntegerCase{"ThreeBytes", "\x01\x02\x03\x04"s, 3, 0x030201},
                    IntegerCase{"EightBytes", "\x01\0\0\0\x02\0\0\x80"s, 8,
                                static_cast<int64_t>(0x8000000200000001ull)},
                    IntegerCase{"FiveBytesIsNoSize", "\x01\0\0\0\0"s, 5, -1},
                    IntegerCase{"NegativeSize", "\x01\0\0\0"s, -2, -1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProcessMemoryTest, ReadsAtAddressZeroOrAllOnesGiveEmptyValues) {
  open();
  for (const Address address : {0u, 0xFFFFFFFFu}) {
    EXPECT_EQ(memory.readInteger(address), -1);
    EXPECT_EQ(memory.readBytes(address, 4), "");
    EXPECT_EQ(memory.readText(address), "");
    EXPECT_EQ(memory.readFloat(address), -1.0);
    EXPECT_EQ(memory.writeBytes(address, "x"), 0);
  }
  EXPECT_TRUE(sim.writes.empty());
}

TEST_F(ProcessMemoryTest, ReadBytesLengths) {
  sim.place(HEAP + 2 * PAGE_BYTES - 16, "0123456789abcdef");
  sim.place(HEAP + 0x100, "\x03\0\0\0xyzw"s);
  sim.place(HEAP + 0x200, "\xFF\xFF\xFF\xFFxyzw"s);
  open();
  EXPECT_EQ(memory.readBytes(HEAP + 2 * PAGE_BYTES - 16), "0123456789abcdef");
  EXPECT_EQ(memory.readBytes(HEAP + 0x104, -1), "xyz");
  EXPECT_EQ(memory.readBytes(HEAP + 0x204, -1), "") << "a negative stored count reads nothing";
  EXPECT_EQ(memory.readBytes(HEAP + 0x104, 2), "xy");
  EXPECT_EQ(memory.readBytes(HEAP + 0x104, -7), "");
  EXPECT_EQ(memory.readBytes(HEAP + 2 * PAGE_BYTES - 2, 4), "") << "runs into free memory";
}

TEST_F(ProcessMemoryTest, ALengthBeyondCommittedMemoryReadsNothingAndReservesNothing) {
  sim.addRegion({.base = HEAP + 2 * PAGE_BYTES, .size = PAGE_BYTES, .allocationBase = HEAP,
                 .state = MEM_RESERVE_STATE});
  sim.place(HEAP + 0x100, "\x00\x00\x00\x7Fxyzw"s);  // a stored count of almost 2 GiB
  open();
  sim.reads.clear();
  EXPECT_EQ(memory.readBytes(HEAP, 0x7FFFFFFF), "");
  EXPECT_EQ(memory.readBytes(HEAP + 0x104, -1), "");
  EXPECT_EQ(memory.readBytes(HEAP + PAGE_BYTES, 2 * PAGE_BYTES), "") << "runs into reserved memory";
  EXPECT_EQ(memory.readBytes(0xFFFFFF00, 0x200), "") << "wraps past 4 GiB";
  EXPECT_EQ(sim.reads, std::vector<Address>{HEAP + 0x100}) << "only the stored count was read";
}

TEST_F(ProcessMemoryTest, AReadMaySpanAdjacentCommittedRegions) {
  sim.place(HEAP + 2 * PAGE_BYTES - 2, "ab");
  sim.addRegion({.base = HEAP + 2 * PAGE_BYTES, .size = PAGE_BYTES, .allocationBase = HEAP,
                 .protect = PROTECT_READONLY});
  sim.place(HEAP + 2 * PAGE_BYTES, "cd");
  open();
  EXPECT_EQ(memory.readBytes(HEAP + 2 * PAGE_BYTES - 2, 4), "abcd");
}

TEST_F(ProcessMemoryTest, ReadTextStopsAtTheFirstNul) {
  sim.place(HEAP + 0x10, "PowerDVD\0tail"s);
  open();
  EXPECT_EQ(memory.readText(HEAP + 0x10), "PowerDVD");
}

TEST_F(ProcessMemoryTest, ReadFloatBySize) {
  const float single = 1.5f;
  const double twice = -2.25;
  sim.place(HEAP, std::string(reinterpret_cast<const char*>(&single), 4));
  sim.place(HEAP + 8, std::string(reinterpret_cast<const char*>(&twice), 8));
  open();
  EXPECT_EQ(memory.readFloat(HEAP), 1.5);
  EXPECT_EQ(memory.readFloat(HEAP, 3), 1.5);
  EXPECT_EQ(memory.readFloat(HEAP + 8, 8), -2.25);
}

TEST_F(ProcessMemoryTest, PointerChainsAddEachOffsetToTheValueRead) {
  // 407010 -> 10000000; 10000000 + 20 -> 10000100; value at 10000100 + 8.
  sim.place(0x407010, "\x00\x00\x00\x10"s);
  sim.place(HEAP + 0x20, "\x00\x01\x00\x10"s);
  sim.place(HEAP + 0x108, "\x2A\0\0\0"s);
  open();
  const int32_t offsets[] = {0x20, 0x8};
  EXPECT_EQ(memory.readInteger(0x407010, 4, offsets), 42);
  EXPECT_EQ(memory.writeInteger(0x407010, 7, 1, offsets), 1);
  EXPECT_EQ(sim.writes.back(), (RecordedWrite{HEAP + 0x108, "\x07"}));
}

TEST_F(ProcessMemoryTest, APointerChainCarriesOnWithTheLastValueReadAfterAFailedRead) {
  // 407010 -> 10000000; the read at 10000000 + 7FFF0000 fails, so the last value stays.
  sim.place(0x407010, "\x00\x00\x00\x10"s);
  sim.place(HEAP + 0x30, "\x2A\0\0\0"s);
  open();
  const int32_t offsets[] = {0x7FFF0000, 0x30};
  EXPECT_EQ(memory.readInteger(0x407010, 4, offsets), 42);
}

TEST_F(ProcessMemoryTest, WriteBytesLengths) {
  open();
  EXPECT_EQ(memory.writeBytes(HEAP + 0x14, "abc", -1), 1);
  EXPECT_EQ(sim.bytesAt(HEAP + 0x10, 7), "\x03\0\0\0abc"s);
  EXPECT_EQ(memory.writeBytes(HEAP + 0x40, "abcdef", 2), 1);
  EXPECT_EQ(sim.bytesAt(HEAP + 0x40, 3), "ab\0"s);
  // Never more than the array holds.
  EXPECT_EQ(memory.writeBytes(HEAP + 0x80, "ab", 100), 1);
  EXPECT_EQ(sim.writes.back(), (RecordedWrite{HEAP + 0x80, "ab"}));
  EXPECT_EQ(memory.writeBytes(HEAP + 2 * PAGE_BYTES - 1, "ab"), 0) << "runs into free memory";
}

// The count and the data go together: without the count, the data is not written.
TEST_F(ProcessMemoryTest, ACountThatCannotBeStoredFailsTheWrite) {
  open();
  EXPECT_EQ(memory.writeBytes(HEAP + 2, "abc", -1), 0);
  EXPECT_TRUE(sim.writes.empty());
}

TEST_F(ProcessMemoryTest, WriteTextEndsWithOneNul) {
  open();
  EXPECT_EQ(memory.writeText(HEAP, "ab\0cd"s), 1);
  EXPECT_EQ(sim.writes.back(), (RecordedWrite{HEAP, "ab\0"s}));
}

struct WriteIntegerCase {
  const char* name;
  int32_t size;
  std::string written;  // empty: nothing is written
};

class WriteIntegerTest : public ProcessMemoryTest,
                         public testing::WithParamInterface<WriteIntegerCase> {};

TEST_P(WriteIntegerTest, WritesTheLowOrderBytes) {
  open();
  const int32_t result = memory.writeInteger(HEAP, 0x0807060504030201, GetParam().size);
  if (GetParam().written.empty()) {
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(sim.writes.empty());
  } else {
    EXPECT_EQ(result, 1);
    EXPECT_EQ(sim.writes.back(), (RecordedWrite{HEAP, GetParam().written}));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, WriteIntegerTest,
    testing::Values(WriteIntegerCase{"Default", 0, "\x01\x02\x03\x04"},
                    WriteIntegerCase{"One", 1, "\x01"}, WriteIntegerCase{"Three", 3, "\x01\x02\x03"},
                    WriteIntegerCase{"Eight", 8, "\x01\x02\x03\x04\x05\x06\x07\x08"},
                    WriteIntegerCase{"Nine", 9, ""}, WriteIntegerCase{"Negative", -1, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProcessMemoryTest, WriteFloatBySize) {
  open();
  EXPECT_EQ(memory.writeFloat(HEAP, 1.5), 1);
  EXPECT_EQ(memory.writeFloat(HEAP + 8, -2.25, 8), 1);
  EXPECT_EQ(memory.readFloat(HEAP), 1.5);
  EXPECT_EQ(sim.writes[0].bytes.size(), 4u);
  EXPECT_EQ(memory.readFloat(HEAP + 8, 8), -2.25);
}

TEST_F(ProcessMemoryTest, SetProtectionDefaultsApplyOnlyWhenLeftOut) {
  open();
  EXPECT_EQ(memory.setProtection(HEAP), PROTECT_READWRITE);
  EXPECT_EQ(memory.setProtection(HEAP, 0u, 0u), PROTECT_EXECUTE_READWRITE);
  EXPECT_EQ(memory.setProtection(HEAP, PROTECT_READONLY, 0x2000u), PROTECT_EXECUTE_READWRITE);
  EXPECT_EQ(sim.protects, (std::vector<RecordedProtect>{{HEAP, 5, PROTECT_EXECUTE_READWRITE},
                                                        {HEAP, 0, 0},
                                                        {HEAP, 0x2000, PROTECT_READONLY}}));
  EXPECT_EQ(memory.setProtection(0x30000000), 0u) << "no region there";
}

TEST_F(ProcessMemoryTest, GetModuleInfoAsksAboutOwnModuleUnlessGivenOne) {
  sim.modules[SimulatedProcess::IMAGE_BASE] = {0x400000, 0xA000, 0x401234};
  sim.modules[0] = {1, 2, 3};
  open();
  EXPECT_EQ(memory.getModuleInfo(), (ModuleInfo{0x400000, 0xA000, 0x401234}));
  EXPECT_EQ(memory.getModuleInfo(0u), (ModuleInfo{1, 2, 3}));
  EXPECT_EQ(memory.getModuleInfo(0x77000000u), ModuleInfo{});
}

TEST_F(ProcessMemoryTest, AllocatedMemoryIsUsableUntilFreed) {
  open();
  const Address block = memory.allocateMemory(100);
  ASSERT_NE(block, 0u);
  EXPECT_EQ(memory.writeInteger(block, 99), 1);
  EXPECT_EQ(memory.readInteger(block), 99);
  memory.freeMemory(block);
  EXPECT_EQ(memory.readInteger(block), -1);
  EXPECT_EQ(memory.trimWorkingSet(), 1);
}

TEST_F(ProcessMemoryTest, LoadLibraryRemoteHandsThePathToTheProcessAndFreesIt) {
  open();
  EXPECT_EQ(memory.loadLibraryRemote("C:\\hook.dll"), 1);
  EXPECT_EQ(sim.loadedLibraries, std::vector<std::string>{"C:\\hook.dll"});
  ASSERT_EQ(sim.released.size(), 1u);
  EXPECT_EQ(memory.readInteger(sim.released[0]), -1);
}

TEST_F(ProcessMemoryTest, LoadLibraryRemoteWithoutAThreadFailsAndStillFrees) {
  sim.remoteThreadStarts = false;
  open();
  EXPECT_EQ(memory.loadLibraryRemote("C:\\hook.dll"), 0);
  EXPECT_EQ(sim.released.size(), 1u);
}

}  // namespace
