#pragma once

namespace framework {

// The application's hourglass: shown while at least one Begin is not ended.
class WaitCursor {
 public:
  static void Begin();
  // Shows it again after another window or process may have changed it.
  static void Restore();
  static void End();
  static bool Active();
  static void Show();
};

}  // namespace framework
