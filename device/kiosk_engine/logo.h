#pragma once
// The package's logo (bce_logofile), a BMP file. A missing file or one that
// is no BMP shows no logo.
#include <windows.h>

#include "device/kiosk_engine/core/screen_layout.h"

namespace device::kiosk_engine {

class Logo {
 public:
  explicit Logo(const wchar_t* path);
  ~Logo();
  Logo(const Logo&) = delete;
  Logo& operator=(const Logo&) = delete;

  // Paints the logo into the area: centred, or stretched to it with fit.
  void Paint(HDC target, const Rect& area, bool fit) const;

 private:
  HBITMAP bitmap_ = nullptr;
  BITMAP size_{};
};

}  // namespace device::kiosk_engine
