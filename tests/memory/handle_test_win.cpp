// The owner of Win32 kernel handles, with events as the handles it owns.
#include "memory/handle_win.h"

#include <gtest/gtest.h>

#include <type_traits>
#include <utility>

namespace {

static_assert(!std::is_copy_constructible_v<OwnedHandle>);
static_assert(!std::is_copy_assignable_v<OwnedHandle>);
static_assert(std::is_nothrow_move_constructible_v<OwnedHandle>);
static_assert(std::is_nothrow_move_assignable_v<OwnedHandle>);

HANDLE newEvent() {
  return CreateEventW(nullptr, TRUE, FALSE, nullptr);
}

bool isOpen(HANDLE handle) {
  DWORD flags = 0;
  return GetHandleInformation(handle, &flags) != 0;
}

TEST(OwnedHandle, ClosesItsHandleWhenItLeavesScope) {
  const HANDLE event = newEvent();
  ASSERT_NE(event, nullptr);
  {
    const OwnedHandle owner(event);
    EXPECT_TRUE(owner.valid());
    EXPECT_EQ(owner.get(), event);
  }
  EXPECT_FALSE(isOpen(event));
}

TEST(OwnedHandle, NullAndInvalidHandleValueAreEmpty) {
  const OwnedHandle none;
  const OwnedHandle null(nullptr);
  const OwnedHandle invalid(INVALID_HANDLE_VALUE);
  EXPECT_FALSE(none);
  EXPECT_FALSE(null);
  EXPECT_FALSE(invalid);
  EXPECT_EQ(invalid.get(), INVALID_HANDLE_VALUE);
}

TEST(OwnedHandle, MovingHandsTheHandleOverOpen) {
  const HANDLE event = newEvent();
  OwnedHandle first(event);
  {
    const OwnedHandle second(std::move(first));
    EXPECT_FALSE(first);
    EXPECT_EQ(second.get(), event);
    // The moved-from owner closes nothing.
    first = OwnedHandle();
    EXPECT_TRUE(isOpen(event));
  }
  EXPECT_FALSE(isOpen(event));
}

TEST(OwnedHandle, MoveAssignmentClosesTheHandleItHeld) {
  const HANDLE kept = newEvent();
  const HANDLE replaced = newEvent();
  OwnedHandle source(kept);
  OwnedHandle target(replaced);
  target = std::move(source);
  EXPECT_FALSE(isOpen(replaced));
  EXPECT_TRUE(isOpen(kept));
  EXPECT_EQ(target.get(), kept);
  EXPECT_FALSE(source);
}

TEST(OwnedHandle, ResetClosesAndTakesTheNewHandle) {
  const HANDLE first = newEvent();
  const HANDLE second = newEvent();
  OwnedHandle owner(first);
  owner.reset(second);
  EXPECT_FALSE(isOpen(first));
  EXPECT_EQ(owner.get(), second);
  owner.reset();
  EXPECT_FALSE(isOpen(second));
  EXPECT_FALSE(owner);
}

TEST(OwnedHandle, ReleasedHandleStaysOpen) {
  const HANDLE event = newEvent();
  {
    OwnedHandle owner(event);
    EXPECT_EQ(owner.release(), event);
    EXPECT_FALSE(owner);
  }
  EXPECT_TRUE(isOpen(event));
  CloseHandle(event);
}

}  // namespace
