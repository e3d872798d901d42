#pragma once
// The controls of the control panel MainWindow by identifier, shared by the window and by
// the tests that drive it from another process.

inline constexpr wchar_t MAIN_WINDOW_CLASS[] = L"QuorvaneMainWindow";

// Control identifiers, in creation order (which is also the tab order).
enum class PanelControlId : int {
  分组框1 = 101,
  单选框1,
  单选框2,
  按钮3,
  按钮1,
  标签1,
  编辑框1,
  标签6,
  编辑框2,
  选择框1,
  选择框2,
  标签3,
  标签5,
  滑块条1,
  滑块条2,
  标签4,
  标签2,
  滑块条3,
  滑块条4,
  透明标签1,
  透明标签3,
  透明标签2,
};

inline constexpr int FIRST_PANEL_CONTROL_ID = static_cast<int>(PanelControlId::分组框1);
inline constexpr int LAST_PANEL_CONTROL_ID = static_cast<int>(PanelControlId::透明标签2);
