#include <gtest/gtest.h>

#include <algorithm>

#include "memory/process_memory.h"
#include "simulated_process.h"

namespace {

using namespace std::string_literals;
using Sim = SimulatedProcess;

constexpr uint32_t PLAYER_ID = 1234;
constexpr Address HEAP = 0x10000000;          // private read-write, 2 pages
constexpr Address MAPPED = 0x10100000;        // mapped read-write, 1 page
constexpr Address SEALED = 0x10200000;        // private PAGE_EXECUTE (unreadable), 1 page
constexpr Address OTHER_MODULE = 0x10400000;  // image: header page, then code
constexpr Address SEARCH_END = 0x20000000;

const std::string PATTERN = "\x03\0\0\0\0\0\0\0\x49\x27\x13"s;

class SearchTest : public testing::Test {
protected:
  SearchTest() {
    resetProgressCells();
    sim.addMainImage();
    sim.addRegion({.base = HEAP, .size = 2 * PAGE_BYTES, .allocationBase = HEAP});
    sim.addRegion({.base = MAPPED, .size = PAGE_BYTES, .allocationBase = MAPPED,
                   .type = MEM_MAPPED_TYPE});
    sim.addRegion({.base = SEALED, .size = PAGE_BYTES, .allocationBase = SEALED,
                   .protect = PROTECT_EXECUTE});
    sim.addRegion({.base = OTHER_MODULE, .size = PAGE_BYTES, .allocationBase = OTHER_MODULE,
                   .protect = PROTECT_READONLY, .type = MEM_IMAGE_TYPE});
    sim.addRegion({.base = OTHER_MODULE + PAGE_BYTES, .size = 4 * PAGE_BYTES,
                   .allocationBase = OTHER_MODULE, .protect = PROTECT_EXECUTE_READ,
                   .type = MEM_IMAGE_TYPE});
    memory.openProcess(PLAYER_ID, 1);
  }

  // Records every percentage reported; answers stopAt's percentage with 1.
  ProgressRoutine recorder(int32_t stopAt = -1) {
    return [this, stopAt](int32_t percent) {
      reported.push_back(percent);
      return percent == stopAt ? 1 : 0;
    };
  }

  SimulatedProcess sim;
  内存操作类 memory{sim, sim};
  std::vector<int32_t> reported;
};

// ---- findPattern

struct PlacementCase {
  const char* name;
  std::vector<Address> placed;
  Address found;
};

class FindPatternPlacementTest : public SearchTest,
                                 public testing::WithParamInterface<PlacementCase> {};

TEST_P(FindPatternPlacementTest, SearchesOnlyCodeAndWritableDataOfTheMainImage) {
  sim.addRegion({.base = Sim::IMAGE_END, .size = PAGE_BYTES, .allocationBase = Sim::IMAGE_BASE,
                 .type = MEM_IMAGE_TYPE});
  for (const Address address : GetParam().placed) {
    sim.place(address, PATTERN);
  }
  EXPECT_EQ(memory.findPattern(PATTERN, {}, 0x400000, 0x10000000), GetParam().found);
}

INSTANTIATE_TEST_SUITE_P(
    Placements, FindPatternPlacementTest,
    testing::Values(
        PlacementCase{"InCode", {Sim::IMAGE_CODE + 0x123}, Sim::IMAGE_CODE + 0x123},
        PlacementCase{"InWritableData", {Sim::IMAGE_DATA + 0x10}, Sim::IMAGE_DATA + 0x10},
        PlacementCase{"AtTheEndOfTheData", {Sim::IMAGE_END - 11}, Sim::IMAGE_END - 11},
        PlacementCase{"TwiceInOneRegion", {Sim::IMAGE_DATA + 0x900, Sim::IMAGE_DATA + 0x40},
                      Sim::IMAGE_DATA + 0x40},
        PlacementCase{"InTwoRegions", {Sim::IMAGE_DATA, Sim::IMAGE_CODE + 0x3000},
                      Sim::IMAGE_CODE + 0x3000},
        PlacementCase{"OnlyInTheHeaderPage", {Sim::IMAGE_BASE + 0x200}, 0},
        PlacementCase{"OnlyInReadOnlyData", {Sim::IMAGE_RDATA + 0x10}, 0},
        PlacementCase{"OnlyInAOnePageSection", {Sim::IMAGE_END + 0x10}, 0},
        PlacementCase{"OnlyInAnotherModule", {OTHER_MODULE + PAGE_BYTES + 0x10}, 0},
        PlacementCase{"OnlyInTheHeap", {HEAP + 0x10}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FindPatternRegions, APatternAcrossTwoRegionsIsNotFound) {
  SimulatedProcess sim;
  for (const auto& [base, protect] :
       {std::pair{0x401000u, PROTECT_READWRITE}, std::pair{0x403000u, PROTECT_WRITECOPY}}) {
    sim.addRegion({.base = base, .size = 2 * PAGE_BYTES, .allocationBase = 0x400000,
                   .protect = protect, .type = MEM_IMAGE_TYPE});
  }
  内存操作类 memory(sim, sim);
  sim.place(0x403000 - 5, PATTERN);
  EXPECT_EQ(memory.findPattern(PATTERN, {}, 0x400000, 0x10000000), 0u);
  sim.place(0x403000 + 5, PATTERN);
  EXPECT_EQ(memory.findPattern(PATTERN, {}, 0x400000, 0x10000000), 0x403005u);
}

TEST_F(SearchTest, AnImageLoadedElsewhereIsNeverRead) {
  sim.place(OTHER_MODULE + PAGE_BYTES + 0x10, PATTERN);
  EXPECT_EQ(memory.findPattern(PATTERN, {}, OTHER_MODULE, SEARCH_END), 0u);
  EXPECT_EQ(memory.findPattern(PATTERN, {}, OTHER_MODULE + PAGE_BYTES, SEARCH_END), 0u);
  EXPECT_TRUE(sim.reads.empty());
}

TEST_F(SearchTest, ReadsEachSearchableRegionOnceAndStopsAtTheMatch) {
  sim.place(Sim::IMAGE_DATA + 0x10, PATTERN);
  EXPECT_EQ(memory.findPattern(PATTERN, {}, 0x400000, 0x10000000), Sim::IMAGE_DATA + 0x10);
  EXPECT_EQ(sim.reads, (std::vector<Address>{Sim::IMAGE_CODE, Sim::IMAGE_DATA}));
  EXPECT_EQ(sim.queries, 4) << "header, code, read-only data, data";
}

// Past the image the walk only queries, region by region, up to the end.
TEST_F(SearchTest, WalksToTheRegionThatReachesPastTheEnd) {
  int pumped = 0;
  memory.setMessagePump([&] { ++pumped; });
  EXPECT_EQ(memory.findPattern(PATTERN, {}, 0x400000, 0x10000000), 0u);
  // header, code, rdata, data, free gap up to HEAP, heap (ends past 0x10000000).
  EXPECT_EQ(sim.queries, 6);
  EXPECT_EQ(pumped, 5);
  EXPECT_EQ(sim.reads.size(), 2u);
}

TEST_F(SearchTest, AnUnalignedStartReadsFromTheSameOffsetInEachRegion) {
  sim.place(Sim::IMAGE_CODE, PATTERN);
  sim.place(Sim::IMAGE_CODE + 0x20, PATTERN);
  EXPECT_EQ(memory.findPattern(PATTERN, {}, 0x400010, 0x10000000), Sim::IMAGE_CODE + 0x20);
  EXPECT_EQ(sim.reads, std::vector<Address>{Sim::IMAGE_CODE + 0x10});
}

TEST_F(SearchTest, TheRegionHoldingTheEndIsSearchedInFull) {
  sim.place(Sim::IMAGE_CODE + 0x3000, PATTERN);
  EXPECT_EQ(memory.findPattern(PATTERN, {}, Sim::IMAGE_CODE, Sim::IMAGE_CODE + 0x10),
            Sim::IMAGE_CODE + 0x3000);
  EXPECT_EQ(memory.findPattern(PATTERN, {}, Sim::IMAGE_CODE, 0x100), Sim::IMAGE_CODE + 0x3000)
      << "the first region is searched even when the end lies below the start";
}

TEST_F(SearchTest, ARegionAfterTheOneHoldingTheEndIsNotVisited) {
  sim.place(Sim::IMAGE_DATA, PATTERN);
  EXPECT_EQ(memory.findPattern(PATTERN, {}, Sim::IMAGE_CODE, Sim::IMAGE_CODE + 0x10), 0u);
}

TEST_F(SearchTest, AnEmptyPatternIsSoughtToTheEndAndNeverFound) {
  EXPECT_EQ(memory.findPattern("", {}, 0x400000, 0x10000000), 0u);
  EXPECT_EQ(sim.queries, 6);
}

TEST_F(SearchTest, WithoutAnEndTheWalkStopsWhenQueriesFail) {
  sim.place(HEAP, PATTERN);
  EXPECT_EQ(memory.findPattern(PATTERN), 0u);
  EXPECT_GT(sim.queries, 6);
}

// A 64-bit process answers queries over the whole 4 GiB; the walk must not start over at 0.
TEST_F(SearchTest, AWalkThatWouldWrapPastFourGigabytesEnds) {
  sim.addressSpaceEnd = uint64_t{1} << 32;
  EXPECT_EQ(memory.findPattern(PATTERN, {}, 0x400000, 0x7FFFFFFF), 0u);
  EXPECT_LT(sim.queries, 20);
}

TEST_F(SearchTest, AProgressRoutineThatStopsIsToldOneHundred) {
  sim.place(Sim::IMAGE_DATA, PATTERN);
  EXPECT_EQ(memory.findPattern(PATTERN, recorder(10), 0x400000, Sim::IMAGE_END - 1), 0u);
  EXPECT_EQ(reported, (std::vector<int32_t>{10, 100}));
}

TEST_F(SearchTest, ProgressEndsWithOneHundredAndStartsAfreshNextTime) {
  // Each region of 0x1000 bytes from 0x400000 to 0x40A000 over a range of 0xA000.
  EXPECT_EQ(memory.findPattern(PATTERN, recorder(), 0x400000, Sim::IMAGE_END - 1), 0u);
  EXPECT_EQ(reported, (std::vector<int32_t>{10, 50, 70, 100}));
  reported.clear();
  EXPECT_EQ(memory.findPattern(PATTERN, recorder(), 0x400000, Sim::IMAGE_END - 1), 0u);
  EXPECT_EQ(reported, (std::vector<int32_t>{10, 50, 70, 100}));
  EXPECT_EQ(progressCells[FIND_PATTERN_CELL], 100);
}

TEST_F(SearchTest, AMatchEndsProgressWithOneHundred) {
  sim.place(Sim::IMAGE_DATA, PATTERN);
  EXPECT_EQ(memory.findPattern(PATTERN, recorder(), 0x400000, Sim::IMAGE_END - 1),
            Sim::IMAGE_DATA);
  EXPECT_EQ(reported, (std::vector<int32_t>{10, 50, 70, 100}));
}

// An empty range would divide by zero; the walk reports it as complete.
TEST_F(SearchTest, ProgressOverAnEmptyRangeIsOneHundred) {
  EXPECT_EQ(memory.findPattern(PATTERN, recorder(), Sim::IMAGE_CODE, Sim::IMAGE_CODE), 0u);
  EXPECT_EQ(reported, std::vector<int32_t>{100});
}

// ---- findAll, findAllUnprotecting

TEST_F(SearchTest, FindAllNeedsAnEndAboveTheMainImageBase) {
  sim.place(HEAP, PATTERN);
  std::vector<Address> found;
  ASSERT_EQ(memory.findAll(PATTERN, found, {}, 0x400000, SEARCH_END), 1);
  for (const Address end : {0u, 0x400000u, 0x3FFFFFu}) {
    std::vector<Address> untouched{7};
    EXPECT_EQ(memory.findAll(PATTERN, untouched, {}, 0x400000, end), 0);
    EXPECT_EQ(untouched, std::vector<Address>{7});
    EXPECT_EQ(memory.getFoundAddresses(), std::vector<Address>{HEAP});
  }
  EXPECT_EQ(memory.findAll("", found, {}, 0x400000, SEARCH_END), 0);
  EXPECT_EQ(memory.getFoundAddresses(), std::vector<Address>{HEAP});
}

struct RepeatCase {
  const char* name;
  std::string bytes;
  std::vector<Address> found;
};

class FindAllRepeatTest : public SearchTest, public testing::WithParamInterface<RepeatCase> {};

TEST_P(FindAllRepeatTest, OccurrencesDoNotOverlap) {
  sim.place(HEAP + 0x10, GetParam().bytes);
  std::vector<Address> found;
  memory.findAll("\xAA\xAA"s, found, {}, HEAP, SEARCH_END, 2);
  EXPECT_EQ(found, GetParam().found);
  EXPECT_EQ(memory.getFoundAddresses(), GetParam().found);
}

INSTANTIATE_TEST_SUITE_P(
    Repeats, FindAllRepeatTest,
    testing::Values(RepeatCase{"Three", "\xAA\xAA\xAA"s, {HEAP + 0x10}},
                    RepeatCase{"Four", "\xAA\xAA\xAA\xAA"s, {HEAP + 0x10, HEAP + 0x12}},
                    RepeatCase{"Apart", "\xAA\xAA\x00\xAA\xAA"s, {HEAP + 0x10, HEAP + 0x13}}),
    [](const auto& info) { return std::string(info.param.name); });

struct ModeCase {
  const char* name;
  int32_t mode;
  bool unprotecting;
  std::vector<Address> found;
};

// The pattern lies once in every kind of region the fixture has.
const std::vector<Address> EVERY_REGION = {
    Sim::IMAGE_BASE + 0x100, Sim::IMAGE_CODE + 0x100, Sim::IMAGE_RDATA + 0x100,
    Sim::IMAGE_DATA + 0x100, HEAP + 0x100, MAPPED + 0x100, SEALED + 0x100,
    OTHER_MODULE + PAGE_BYTES + 0x100};

class FindAllModeTest : public SearchTest, public testing::WithParamInterface<ModeCase> {};

TEST_P(FindAllModeTest, SearchesTheRegionsTheModeSelects) {
  for (const Address address : EVERY_REGION) {
    sim.place(address, PATTERN);
  }
  std::vector<Address> found;
  const int32_t count =
      GetParam().unprotecting
          ? memory.findAllUnprotecting(PATTERN, found, {}, 0x400000, SEARCH_END, GetParam().mode)
          : memory.findAll(PATTERN, found, {}, 0x400000, SEARCH_END, GetParam().mode);
  EXPECT_EQ(found, GetParam().found);
  EXPECT_EQ(count, static_cast<int32_t>(GetParam().found.size()));
  EXPECT_EQ(sim.region(SEALED).protect, PROTECT_EXECUTE) << "protection given back";
}

constexpr Address I0 = Sim::IMAGE_BASE + 0x100, I1 = Sim::IMAGE_CODE + 0x100,
                  I2 = Sim::IMAGE_RDATA + 0x100, I3 = Sim::IMAGE_DATA + 0x100,
                  H = HEAP + 0x100, S = SEALED + 0x100, M = OTHER_MODULE + PAGE_BYTES + 0x100;

INSTANTIATE_TEST_SUITE_P(
    Modes, FindAllModeTest,
    testing::Values(
        ModeCase{"AllButMapped", 0, false, {I0, I1, I2, I3, H, M}},
        ModeCase{"NegativeCountsAsZero", -3, false, {I0, I1, I2, I3, H, M}},
        ModeCase{"Image", 1, false, {I0, I1, I2, I3, M}},
        ModeCase{"Private", 2, false, {H}},
        ModeCase{"AllButMappedAndReadOnly", 3, false, {I1, I3, H, M}},
        ModeCase{"MainImage", 4, false, {I1, I3}},
        ModeCase{"UnprotectingAllButMapped", 0, true, {I0, I1, I2, I3, H, S, M}},
        ModeCase{"UnprotectingPrivate", 2, true, {H, S}},
        ModeCase{"UnprotectingMainImageCode", 4, true, {I1}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SearchTest, UnprotectingLiftsAndRestoresEachSealedRegion) {
  sim.place(SEALED + 8, PATTERN);
  std::vector<Address> found;
  EXPECT_EQ(memory.findAllUnprotecting(PATTERN, found, {}, HEAP, SEARCH_END, 2), 1);
  EXPECT_EQ(sim.protects,
            (std::vector<RecordedProtect>{{SEALED, PAGE_BYTES, PROTECT_EXECUTE_READWRITE},
                                          {SEALED, PAGE_BYTES, PROTECT_EXECUTE}}));
  EXPECT_EQ(memory.findAll(PATTERN, found, {}, HEAP, SEARCH_END, 2, 1), 1) << "unprotect flag";
}

TEST_F(SearchTest, UnprotectingSkipsARegionWhoseProtectionCannotChange) {
  sim.place(SEALED + 8, PATTERN);
  sim.protectionLocked.insert(SEALED);
  std::vector<Address> found;
  EXPECT_EQ(memory.findAllUnprotecting(PATTERN, found, {}, HEAP, SEARCH_END, 2), 0);
  EXPECT_TRUE(sim.protects.empty());
}

TEST_F(SearchTest, UnprotectingLeavesSealedMappedMemoryAlone) {
  sim.region(MAPPED).protect = PROTECT_NOACCESS;
  std::vector<Address> found;
  memory.findAllUnprotecting(PATTERN, found, {}, HEAP, SEARCH_END, 0);
  for (const RecordedProtect& change : sim.protects) {
    EXPECT_NE(change.address, MAPPED);
  }
}

// Reserved memory cannot be read, however large; it is not asked for.
TEST_F(SearchTest, FindAllDoesNotReadReservedMemory) {
  sim.addRegion({.base = 0x11000000, .size = 0x4000000, .allocationBase = 0x11000000,
                 .protect = 0, .state = MEM_RESERVE_STATE});
  std::vector<Address> found;
  memory.findAll(PATTERN, found, {}, 0x11000000, SEARCH_END, 0);
  for (const Address read : sim.reads) {
    EXPECT_NE(read, 0x11000000u);
  }
}

TEST_F(SearchTest, OffsetModeLooksAtOneDistanceFromEachAllocationBase) {
  sim.place(HEAP + 0x20, PATTERN);
  sim.place(Sim::IMAGE_BASE + 0x20, PATTERN);
  sim.place(HEAP + 0x40, PATTERN);
  std::vector<Address> found;
  EXPECT_EQ(memory.findAll(PATTERN, found, {}, 0x400000, SEARCH_END, 0x20), 2);
  EXPECT_EQ(found, (std::vector<Address>{Sim::IMAGE_BASE + 0x20, HEAP + 0x20}));
  EXPECT_TRUE(std::all_of(sim.reads.begin(), sim.reads.end(),
                          [](Address read) { return read % PAGE_BYTES == 0x20; }));
}

TEST_F(SearchTest, OffsetModeReachesIntoALaterRegionOfTheAllocation) {
  sim.place(Sim::IMAGE_DATA + 0x10, PATTERN);
  std::vector<Address> found;
  EXPECT_EQ(memory.findAll(PATTERN, found, {}, 0x400000, SEARCH_END, 0x7010), 1);
  EXPECT_EQ(found, std::vector<Address>{Sim::IMAGE_DATA + 0x10});
}

TEST_F(SearchTest, FindAllKeepsItsOwnProgressCell) {
  std::vector<Address> found;
  memory.findAll(PATTERN, found, recorder(), 0x400000, Sim::IMAGE_END - 1, 0);
  EXPECT_EQ(reported, (std::vector<int32_t>{10, 50, 70, 100}));
  EXPECT_EQ(progressCells[FIND_ALL_CELL], 100);
  EXPECT_EQ(progressCells[FIND_PATTERN_CELL], 0);
  EXPECT_EQ(progressCells[FIND_ALL_UNPROTECTING_CELL], 0);
}

// ---- filterFound

class FilterTest : public SearchTest {
protected:
  // Lists four addresses by a marker, then gives them the values 5, 10, 20 and 10.
  FilterTest() {
    for (const Address address : LISTED) sim.place(address, MARKER);
    std::vector<Address> found;
    memory.findAll(MARKER, found, {}, HEAP, SEARCH_END, 2);
    sim.place(HEAP + 0x10, "\x5\0\0\0\xA\0\0\0\x14\0\0\0\xA\0\0\0"s);
  }

  static inline const std::string MARKER = "\x7F\x7E\x7D\x7C";
  static inline const std::vector<Address> LISTED = {HEAP + 0x10, HEAP + 0x14, HEAP + 0x18,
                                                     HEAP + 0x1C};
};

TEST_F(FilterTest, FixtureListsTheFourAddresses) {
  EXPECT_EQ(memory.getFoundAddresses(), LISTED);
}

struct FilterCase {
  const char* name;
  int32_t mode;
  std::string value;
  std::vector<Address> kept;
};

class FilterModeTest : public FilterTest, public testing::WithParamInterface<FilterCase> {};

TEST_P(FilterModeTest, KeepsByThePresentContents) {
  std::vector<Address> kept{99};
  EXPECT_EQ(memory.filterFound(GetParam().value, kept, {}, GetParam().mode),
            static_cast<int32_t>(GetParam().kept.size()));
  EXPECT_EQ(kept, GetParam().kept);
  EXPECT_EQ(memory.getFoundAddresses(), GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, FilterModeTest,
    testing::Values(
        FilterCase{"Equal", 0, "\xA\0\0\0"s, {HEAP + 0x14, HEAP + 0x1C}},
        FilterCase{"OtherModesAreEqual", 7, "\x5\0\0\0"s, {HEAP + 0x10}},
        FilterCase{"Greater", -2, "\xA\0\0\0"s, {HEAP + 0x18}},
        FilterCase{"Smaller", -3, "\xA\0\0\0"s, {HEAP + 0x10}},
        FilterCase{"Differ", -4, "\xA\0\0\0"s, {HEAP + 0x10, HEAP + 0x18}},
        FilterCase{"ShortValueGreaterZeroExtended", -2, "\x6"s, {HEAP + 0x14, HEAP + 0x18, HEAP + 0x1C}},
        FilterCase{"ShortValueEqual", 0, "\x14"s, {HEAP + 0x18}},
        FilterCase{"DistanceFromBase", -5, "\x18\0\0\0"s, {HEAP + 0x18}},
        FilterCase{"DistanceAsHexText", -6, "1c"s, {HEAP + 0x1C}},
        FilterCase{"DistanceAsPrefixedHexText", -6, "0x10\0"s, {HEAP + 0x10}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FilterTest, TheSameValueEverywhereKeepsTheWholeList) {
  sim.place(HEAP + 0x10, std::string(16, '\x01'));
  std::vector<Address> kept;
  EXPECT_EQ(memory.filterFound("\x01\x01\x01\x01"s, kept), 4);
  EXPECT_EQ(kept, LISTED);
}

TEST_F(FilterTest, ADistanceBelowTenReturnsAtOnceAndKeepsTheList) {
  std::vector<Address> kept{1};
  for (const auto& [mode, value] : {std::pair{-5, "\x08\0\0\0"s}, std::pair{-6, "8"s},
                                    std::pair{-6, "zz"s}, std::pair{-5, "\xFF\xFF\xFF\xFF"s}}) {
    EXPECT_EQ(memory.filterFound(value, kept, {}, mode), 0);
    EXPECT_TRUE(kept.empty());
    EXPECT_EQ(memory.getFoundAddresses(), LISTED);
  }
}

TEST_F(FilterTest, AnEmptyValueKeepsTheList) {
  std::vector<Address> kept;
  EXPECT_EQ(memory.filterFound("", kept), 0);
  EXPECT_EQ(memory.getFoundAddresses(), LISTED);
}

// Memory that is gone holds no value: it is not taken for zeros.
TEST_F(FilterTest, AnAddressThatCannotBeReadIsDropped) {
  sim.place(HEAP + 0x10, std::string(16, '\0'));
  sim.region(HEAP).protect = PROTECT_NOACCESS;
  std::vector<Address> kept;
  for (const int32_t mode : {0, -4}) {
    EXPECT_EQ(memory.filterFound("\0\0\0\0"s, kept, {}, mode), 0);
  }
}

TEST_F(FilterTest, ProgressIsReportedAfterEachAddressAndCanStop) {
  std::vector<Address> kept;
  EXPECT_EQ(memory.filterFound("\xA\0\0\0"s, kept, recorder(50)), 1);
  EXPECT_EQ(reported, (std::vector<int32_t>{25, 50}));
  EXPECT_EQ(kept, std::vector<Address>{HEAP + 0x14});
}

// ---- findPointerPaths

TEST_F(SearchTest, AValueInTheMainImageGivesItsAddressInEightDigits) {
  sim.place(Sim::IMAGE_DATA + 0x1C, PATTERN);
  std::vector<std::string> paths{"old"};
  EXPECT_EQ(memory.findPointerPaths(PATTERN, paths, {}, 0x400000, SEARCH_END), 1);
  EXPECT_EQ(paths, std::vector<std::string>{"0040701C"});
}

TEST_F(SearchTest, AValueOnTheHeapGivesTheStaticPointerToItsAllocation) {
  sim.place(HEAP + 0x2A4, PATTERN);
  sim.place(Sim::IMAGE_DATA + 0x10, "\x00\x00\x00\x10"s);  // a static pointer to HEAP
  std::vector<std::string> paths;
  EXPECT_EQ(memory.findPointerPaths(PATTERN, paths, {}, 0x400000, SEARCH_END), 1);
  EXPECT_EQ(paths, std::vector<std::string>{"00407010+2A4"});
}

// Beyond the first step, paths lead through the code and data of modules.
TEST_F(SearchTest, PathsLeadThroughAnotherModule) {
  constexpr Address module = 0x08000000;
  sim.addRegion({.base = module, .size = 2 * PAGE_BYTES, .allocationBase = module,
                 .protect = PROTECT_EXECUTE_READWRITE, .type = MEM_IMAGE_TYPE});
  sim.place(HEAP + 0x8, PATTERN);
  sim.place(module + 0x1010, "\x00\x00\x00\x10"s);          // module -> HEAP
  sim.place(Sim::IMAGE_DATA + 0x4, "\x00\x00\x00\x08"s);    // static -> module
  std::vector<std::string> paths;
  EXPECT_EQ(memory.findPointerPaths(PATTERN, paths, {}, 0x400000, SEARCH_END), 1);
  EXPECT_EQ(paths, std::vector<std::string>{"00407004+1010+8"});
}

// A module holding its own base address would lead back to itself for ever.
TEST_F(SearchTest, AnAllocationPointingToItselfEndsTheSearch) {
  const Address code = OTHER_MODULE + PAGE_BYTES;
  sim.place(code + 0x8, PATTERN);
  sim.place(code + 0x40, "\x00\x00\x40\x10"s);  // OTHER_MODULE's own base
  std::vector<std::string> paths;
  EXPECT_EQ(memory.findPointerPaths(PATTERN, paths, {}, code, SEARCH_END, 1), 0);
  EXPECT_TRUE(paths.empty());
}

TEST_F(SearchTest, PointerPathProgressReportsChangesAndCanStop) {
  sim.place(Sim::IMAGE_DATA + 0x10, PATTERN);
  sim.place(Sim::IMAGE_DATA + 0x40, PATTERN);
  sim.place(Sim::IMAGE_DATA + 0x80, PATTERN);
  std::vector<std::string> paths;
  std::vector<int32_t> all;
  const ProgressRoutine progress = [&](int32_t percent) {
    all.push_back(percent);
    return percent == 66 ? 1 : 0;
  };
  EXPECT_EQ(memory.findPointerPaths(PATTERN, paths, progress, 0x400000, SEARCH_END), 2);
  // The walk of findAll first (ending with 100), then one report per hit.
  ASSERT_GE(all.size(), 3u);
  EXPECT_EQ(std::vector<int32_t>(all.end() - 2, all.end()), (std::vector<int32_t>{33, 66}));
}

}  // namespace
