#include <gtest/gtest.h>

#include "memory/process_memory.h"
#include "simulated_process.h"

namespace {

using namespace std::string_literals;
using Sim = SimulatedProcess;

constexpr Address HEAP = 0x10000000;  // two pages, private read-write

// The main image's data holds at 407010 a pointer to HEAP; HEAP + 24 points to HEAP + 100,
// where the bytes 2A 00 00 00 lie.
class PathTest : public testing::Test {
protected:
  PathTest() {
    sim.addMainImage();
    sim.addRegion({.base = HEAP, .size = 2 * PAGE_BYTES, .allocationBase = HEAP});
    sim.place(0x407010, "\x00\x00\x00\x10"s);
    sim.place(HEAP + 0x24, "\x00\x01\x00\x10"s);
    sim.place(HEAP + 0x100, "\x2A\0\0\0"s);
    memory.openProcess(1234, 1);
  }

  SimulatedProcess sim;
  内存操作类 memory{sim, sim};
};

TEST_F(PathTest, ResolvePathFollowsThePointersOfAPath) {
  EXPECT_EQ(memory.resolvePath("407010"), 0x407010u);
  EXPECT_EQ(memory.resolvePath("407010+24"), HEAP + 0x24);
  EXPECT_EQ(memory.resolvePath(" 407010 + 24 + 0 = 5"), HEAP + 0x100);
  EXPECT_EQ(memory.resolvePath("407010+24+0+0"), 0u) << "42 has no region: not readable";
}

TEST_F(PathTest, ResolvePathStopsAtAFailedRead) {
  EXPECT_EQ(memory.resolvePath("30000000+4"), 0u);
  EXPECT_EQ(memory.resolvePath("30000000"), 0u) << "free memory is not readable";
}

TEST_F(PathTest, ATextShorterThanTwoCharactersGivesMinusOne) {
  EXPECT_EQ(memory.resolvePath("4"), 0xFFFFFFFFu);
  EXPECT_EQ(memory.resolvePath(""), 0xFFFFFFFFu);
  EXPECT_EQ(memory.readIntegerAtPath("4"), -1);
  EXPECT_EQ(memory.readBytesAtPath("4"), "");
}

TEST_F(PathTest, ReadIntegerAtPathCarriesOnThroughAFailedRead) {
  EXPECT_EQ(memory.readIntegerAtPath("407010+24+0"), 42);
  // The read at 30000000 fails; the chain goes on from the last value read (0) + 10000100.
  EXPECT_EQ(memory.readIntegerAtPath("30000000+10000100"), 42);
}

TEST_F(PathTest, ReadBytesAtPathLengths) {
  sim.place(HEAP + 2 * PAGE_BYTES - 4, "tail");
  EXPECT_EQ(memory.readBytesAtPath("407010+24+0=4"), "\x2A\0\0\0"s);
  EXPECT_EQ(memory.readBytesAtPath("407010+24+0={9,9}"), "\x2A\0"s);
  EXPECT_EQ(memory.readBytesAtPath("407010 + 24 + 0 = 2 = ignored"), "\x2A\0"s);
  EXPECT_EQ(memory.readBytesAtPath("10001FFC=-1"), "tail") << "up to the end of the region";
  EXPECT_EQ(memory.readBytesAtPath("10001FFC=0"), "");
  EXPECT_EQ(memory.readBytesAtPath("10001FFC"), "");
  EXPECT_EQ(memory.readBytesAtPath("10001FFC={ }"), "");
}

// Texts outside the path and byte-list forms designate nothing.
struct MalformedCase {
  const char* name;
  const char* path;
};

class MalformedPathTest : public PathTest, public testing::WithParamInterface<MalformedCase> {};

TEST_P(MalformedPathTest, DesignatesNothing) {
  const std::string text = GetParam().path;
  std::string previous;
  EXPECT_EQ(memory.resolvePath(text), 0u);
  EXPECT_EQ(memory.readIntegerAtPath(text), -1);
  EXPECT_EQ(memory.readBytesAtPath(text + "=4"), "");
  EXPECT_EQ(memory.applyPatches(text + "=5", previous, 1), 0);
  EXPECT_TRUE(sim.writes.empty());
  EXPECT_EQ(previous, "");
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MalformedPathTest,
    testing::Values(MalformedCase{"NonHexPiece", "407010+2G"},
                    MalformedCase{"DoublePlus", "407010++24"},
                    MalformedCase{"TrailingPlus", "407010+"},
                    MalformedCase{"LeadingPlus", "+407010"},
                    MalformedCase{"Prefixed", "0x407010"},
                    MalformedCase{"TooManyDigits", "1000000000+4"},
                    MalformedCase{"EncodedPiece", "O41+4"},
                    MalformedCase{"EqualsOnly", "=="}, MalformedCase{"Spaces", "   "}),
    [](const auto& info) { return std::string(info.param.name); });

struct MalformedLengthCase {
  const char* name;
  const char* text;
};

class MalformedLengthTest : public PathTest,
                            public testing::WithParamInterface<MalformedLengthCase> {};

TEST_P(MalformedLengthTest, ReadsNothing) {
  EXPECT_EQ(memory.readBytesAtPath(GetParam().text), "");
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MalformedLengthTest,
    testing::Values(MalformedLengthCase{"HexLength", "407010=1A"},
                    MalformedLengthCase{"EmptyLength", "407010="},
                    MalformedLengthCase{"NegativeLength", "407010=-2"},
                    MalformedLengthCase{"ListMissingClose", "407010={1,2"},
                    MalformedLengthCase{"ListAbove255", "407010={1,300}"},
                    MalformedLengthCase{"ListEmptyPiece", "407010={1,,2}"},
                    MalformedLengthCase{"HugeLength", "407010=99999999999"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PathTest, TheEmptyPatchTextSucceedsWithoutWriting) {
  std::string previous = "old";
  EXPECT_EQ(memory.applyPatches("", previous, 1), 1);
  EXPECT_EQ(memory.applyPatches("x", previous, 1), 0);
  EXPECT_TRUE(sim.writes.empty());
}

TEST_F(PathTest, APatchWritesADecimalValueWhereTheBytesDiffer) {
  std::string previous;
  EXPECT_EQ(memory.applyPatches("407010+24+0=5", previous, 1), 1);
  EXPECT_EQ(sim.writes, (std::vector<RecordedWrite>{{HEAP + 0x100, "\x05\0\0\0"s}}));
  EXPECT_EQ(previous, "407010+24+0={42,0,0,0}");
  EXPECT_EQ(memory.applyPatches("407010 + 24 + 0 = 5", previous, 0), 1);
  EXPECT_EQ(sim.writes.size(), 1u) << "the bytes are there already";
  EXPECT_EQ(previous, "");
}

TEST_F(PathTest, PatchValueForms) {
  sim.place(HEAP + 0x200, "copy");
  std::string previous;
  EXPECT_EQ(memory.applyPatches("10000010={1,2,255}", previous, 0), 1);
  EXPECT_EQ(memory.applyPatches("10000020=-1", previous, 0), 1);
  EXPECT_EQ(memory.applyPatches("10000030=10000200=4", previous, 0), 1);
  EXPECT_EQ(sim.writes, (std::vector<RecordedWrite>{{HEAP + 0x10, "\x01\x02\xFF"},
                                                    {HEAP + 0x20, "\xFF\xFF\xFF\xFF"},
                                                    {HEAP + 0x30, "copy"}}));
}

TEST_F(PathTest, PiecesJoinedByBarsAreAllAppliedAndReported) {
  std::string previous;
  EXPECT_EQ(memory.applyPatches("10000010=1|30000000=2|10000020={7}", previous, 0), 0);
  EXPECT_EQ(sim.writes, (std::vector<RecordedWrite>{{HEAP + 0x10, "\x01\0\0\0"s},
                                                    {HEAP + 0x20, "\x07"}}));
  EXPECT_EQ(previous, "10000010={0,0,0,0}|30000000={ }|10000020={0}|");
  EXPECT_EQ(memory.applyPatches("10000010=1|10000020={7}|", previous, 0), 1);
  EXPECT_EQ(sim.writes.size(), 2u);
}

struct MalformedPatchCase {
  const char* name;
  const char* text;
};

class MalformedPatchTest : public PathTest,
                           public testing::WithParamInterface<MalformedPatchCase> {};

TEST_P(MalformedPatchTest, WritesNothingAndFails) {
  std::string previous;
  EXPECT_EQ(memory.applyPatches(GetParam().text, previous, 1), 0);
  EXPECT_TRUE(sim.writes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MalformedPatchTest,
    testing::Values(MalformedPatchCase{"NoEquals", "10000010"},
                    MalformedPatchCase{"EmptyValue", "10000010="},
                    MalformedPatchCase{"HexValue", "10000010=1F"},
                    MalformedPatchCase{"EmptyList", "10000010={ }"},
                    MalformedPatchCase{"ListAbove255", "10000010={256}"},
                    MalformedPatchCase{"ListMissingClose", "10000010={1"},
                    MalformedPatchCase{"UnreadableSource", "10000010=30000000=4"},
                    MalformedPatchCase{"ValueTooLarge", "10000010=4294967296"},
                    MalformedPatchCase{"EqualsOnly", "=="}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PathTest, AFailedWriteFailsThePatch) {
  std::string previous;
  EXPECT_EQ(memory.applyPatches("30000000=5", previous, 1), 0);
  EXPECT_EQ(previous, "30000000={ }");
}

}  // namespace
