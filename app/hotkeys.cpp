#include "app/hotkeys.h"

#include <array>
#include <cstdlib>

#include "app/control_panel.h"

namespace {

constexpr int VK_SHIFT_KEY = 16, VK_CONTROL_KEY = 17, VK_MENU_KEY = 18, VK_LWIN_KEY = 91;

int virtualKeyOf(int32_t key) { return static_cast<int>(std::abs(int64_t{key}) & 0xFF); }

}  // namespace

int32_t HotkeyTable::registerHotkey(HotkeyAction action, int32_t key, int32_t modifiers,
                                    int32_t secondKey, int32_t periodMs, int32_t direct) {
  if (virtualKeyOf(key) == 0) return 0;
  int32_t id = 0;
  for (size_t i = 0; i < records_.size() && id == 0; ++i) {
    HotkeyRecord& record = records_[i];
    if (record.key == key && record.modifiers == modifiers && record.secondKey == secondKey) {
      record.action = std::move(action);
      record.direct = direct;
      if (record.id == 0) record.id = HOTKEY_ID_BASE + static_cast<int32_t>(i) + 1;
      id = record.id;
    }
  }
  if (id == 0) {
    id = HOTKEY_ID_BASE + static_cast<int32_t>(records_.size()) + 1;
    records_.push_back({id, std::move(action), key, modifiers, secondKey, HotkeyState::IDLE, direct});
  }
  if (id == HOTKEY_ID_BASE + 1 && !pollingStarted_) {
    pollingStarted_ = true;
    host_.startPolling(periodMs > 0 ? periodMs : DEFAULT_POLL_PERIOD_MS);
  }
  return id;
}

void HotkeyTable::poll(KeyState& keys) {
  // Only the keys some record or the modifier test reads are asked for: the answers do not
  // depend on which other keys are asked, and every question costs a call into the system.
  std::array<int16_t, 256> snapshot{};
  std::array<bool, 256> wanted{};
  for (const int vk : {VK_SHIFT_KEY, VK_CONTROL_KEY, VK_MENU_KEY, VK_LWIN_KEY}) wanted[vk] = true;
  for (const HotkeyRecord& record : records_) {
    if (record.id == 0) continue;
    wanted[virtualKeyOf(record.key)] = true;
    wanted[virtualKeyOf(record.secondKey)] = true;
  }
  for (int vk = 1; vk <= 255; ++vk) {
    if (wanted[vk]) snapshot[vk] = keys.asyncKeyState(vk);
  }
  const auto down = [&](int vk) { return snapshot[vk] < 0; };

  for (HotkeyRecord& record : records_) {
    if (record.id == 0) continue;
    const int16_t s = snapshot[virtualKeyOf(record.key)];
    if (s == 0) {
      if (record.state != HotkeyState::DOWN) {
        record.state = HotkeyState::IDLE;
        continue;
      }
      record.state = HotkeyState::RELEASED;
    } else if (s < 0) {
      if (record.state == HotkeyState::IDLE) record.state = HotkeyState::DOWN;
      if (record.key < 0) continue;
    }
    if (record.state == HotkeyState::IDLE || record.state == HotkeyState::FIRED) continue;
    record.state = HotkeyState::FIRED;
    const int32_t held = (down(VK_MENU_KEY) ? ALT_KEY : 0) | (down(VK_CONTROL_KEY) ? CTRL_KEY : 0) |
                         (down(VK_SHIFT_KEY) ? SHIFT_KEY : 0) | (down(VK_LWIN_KEY) ? LEFT_WIN_KEY : 0);
    if (held != record.modifiers) continue;
    // A second key naming no key (low 8 bits 0) is never down, so such a record never fires.
    if (record.secondKey != 0 && !down(virtualKeyOf(record.secondKey))) continue;
    if (record.direct != 0) {
      record.action(record.id);
    } else {
      host_.post([action = record.action, id = record.id] { action(id); });
    }
  }
}

void registerProgramHotkeys(HotkeyTable& hotkeys, ControlPanel& panel) {
  hotkeys.registerHotkey([&panel](int32_t) { panel.fontSizeUp(); }, VK_F1_KEY, ALT_KEY);
  hotkeys.registerHotkey([&panel](int32_t) { panel.fontSizeDown(); }, VK_F2_KEY, ALT_KEY);
  hotkeys.registerHotkey([&panel](int32_t) { panel.positionDown(); }, VK_CLOSE_BRACKET_KEY, ALT_KEY);
  hotkeys.registerHotkey([&panel](int32_t) { panel.positionUp(); }, VK_OPEN_BRACKET_KEY, ALT_KEY);
  hotkeys.registerHotkey([&panel](int32_t) { panel.toggleSubtitles(); }, VK_F8_KEY);
}
