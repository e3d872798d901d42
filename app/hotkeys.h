#pragma once
// Global hotkeys, polled rather than registered with the system: a timer reads every key's
// state about every 10 ms, detects presses by their edges, checks the modifiers held and
// carries the hotkey's action out on the user-interface thread.
#include <cstdint>
#include <functional>
#include <vector>

// The keyboard as GetAsyncKeyState reports it: negative while the key is down, positive
// when it was pressed since the previous query and is up now, 0 otherwise.
class KeyState {
 public:
  virtual ~KeyState() = default;
  virtual int16_t asyncKeyState(int virtualKey) = 0;
};

// What runs the hotkeys: the polling timer and the user-interface thread's queue.
class HotkeyHost {
 public:
  virtual ~HotkeyHost() = default;
  // Starts the polling timer calling HotkeyTable::poll every `periodMs`.
  virtual void startPolling(int32_t periodMs) = 0;
  // Runs `work` later on the user-interface thread; never waits for it.
  virtual void post(std::function<void()> work) = 0;
};

using HotkeyAction = std::function<void(int32_t id)>;

// Modifier bits of a hotkey record; the sum must be held exactly.
enum HotkeyModifier : int32_t { ALT_KEY = 1, CTRL_KEY = 2, SHIFT_KEY = 4, LEFT_WIN_KEY = 8 };

// Virtual-key codes the program's hotkeys use.
inline constexpr int32_t VK_F1_KEY = 112, VK_F2_KEY = 113, VK_F8_KEY = 119;
inline constexpr int32_t VK_CLOSE_BRACKET_KEY = 221, VK_OPEN_BRACKET_KEY = 219;

inline constexpr int32_t HOTKEY_ID_BASE = 1000000;
inline constexpr int32_t DEFAULT_POLL_PERIOD_MS = 10;

enum class HotkeyState : uint8_t { IDLE = 0, DOWN = 1, RELEASED = 2, FIRED = 88 };

struct HotkeyRecord {
  int32_t id = 0;  // HOTKEY_ID_BASE + position; 0 makes the poller skip the record
  HotkeyAction action;
  int32_t key = 0;        // virtual key in the low 8 bits of |key|; negative fires on release
  int32_t modifiers = 0;  // HotkeyModifier bits that must be held
  int32_t secondKey = 0;  // 0, or a further virtual key that must be down
  HotkeyState state = HotkeyState::IDLE;
  int32_t direct = 0;     // non-zero: the poller calls the action itself and waits for it
};

class HotkeyTable {
 public:
  explicit HotkeyTable(HotkeyHost& host) : host_(host) {}

  // Registers or updates the hotkey of (key, modifiers, secondKey) and returns its id; 0,
  // registering nothing, when the low 8 bits of |key| are 0. The first registration starts
  // the polling timer at `periodMs` (10 ms when not above 0).
  int32_t registerHotkey(HotkeyAction action, int32_t key, int32_t modifiers = 0,
                         int32_t secondKey = 0, int32_t periodMs = 0, int32_t direct = 0);

  // One polling tick over a snapshot of the keys: a press fires once however long it is
  // held, only when exactly the record's modifiers were already held, and only after the key
  // was released.
  void poll(KeyState& keys);

  const std::vector<HotkeyRecord>& records() const { return records_; }

 private:
  HotkeyHost& host_;
  std::vector<HotkeyRecord> records_;
  bool pollingStarted_ = false;
};

class ControlPanel;

// The program's five hotkeys, in their order: Alt+F1 and Alt+F2 (font size), Alt+] and
// Alt+[ (down and up one pixel), F8 (hide or show the subtitles).
void registerProgramHotkeys(HotkeyTable& hotkeys, ControlPanel& panel);
