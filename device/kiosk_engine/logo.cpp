#include "device/kiosk_engine/logo.h"

#include "device/ce_platform.h"

namespace device::kiosk_engine {

Logo::Logo(const wchar_t* path) : bitmap_(LoadBitmapFile(path)) {
  if (bitmap_ != nullptr && GetObjectW(bitmap_, sizeof size_, &size_) != sizeof size_) {
    DeleteObject(bitmap_);
    bitmap_ = nullptr;
  }
}

Logo::~Logo() {
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
}

void Logo::Paint(HDC target, const Rect& area, bool fit) const {
  if (bitmap_ == nullptr) return;
  const LogoPlacement place = PlaceLogo(area, size_.bmWidth, size_.bmHeight, fit);
  if (place.target.Width() <= 0 || place.target.Height() <= 0) return;
  HDC source = CreateCompatibleDC(target);
  HGDIOBJ previous = SelectObject(source, bitmap_);
  StretchBlt(target, place.target.left, place.target.top, place.target.Width(), place.target.Height(), source,
             place.source.left, place.source.top, place.source.Width(), place.source.Height(), SRCCOPY);
  SelectObject(source, previous);
  DeleteDC(source);
}

}  // namespace device::kiosk_engine
