// Our coredll's painting: WM_PAINT through InvalidateRect and UpdateWindow,
// BeginPaint and EndPaint, device contexts and GDI objects with the rules
// the documentation sets (a DC from GetDC goes back with ReleaseDC, one from
// CreateCompatibleDC with DeleteDC; an object is not deleted while selected;
// a bitmap is selected into one memory DC at a time), and a record of what
// was filled, blitted and written.
#include <algorithm>

#include "tests/arm_device/core_library.h"

namespace arm_device_test {

namespace {

constexpr uint32_t kStockBase = 0x0F000000, kSystemBrushBase = 0x0F100000, kDefaultBitmap = 0x0F200000;
constexpr uint32_t kSystemColorIndexFlag = 0x40000000;  // CE's COLOR_* carry it
constexpr uint32_t kSystemColors = 32;
constexpr uint32_t kBitmapSize = 24;  // BITMAP
constexpr uint32_t kPaintStructSize = 64;
constexpr uint32_t kDtCalcRect = 0x400;
constexpr int32_t kLineHeight = 16;

std::optional<GdiKind> StockKind(uint32_t index) {
  if (index <= 5) return GdiKind::Brush;  // WHITE_BRUSH ... NULL_BRUSH
  if (index <= 8) return GdiKind::Pen;    // WHITE_PEN, BLACK_PEN, NULL_PEN
  if (index == 13) return GdiKind::Font;  // SYSTEM_FONT
  return std::nullopt;
}

// What a DC holds when nothing of the program's is selected.
uint32_t DefaultObject(GdiKind kind) {
  switch (kind) {
    case GdiKind::Brush: return kStockBase;       // WHITE_BRUSH
    case GdiKind::Pen: return kStockBase + 7;     // BLACK_PEN
    case GdiKind::Font: return kStockBase + 13;   // SYSTEM_FONT
    case GdiKind::Bitmap: return kDefaultBitmap;  // a memory DC's 1x1 bitmap
  }
  return 0;
}

int32_t Signed(uint32_t value) { return static_cast<int32_t>(value); }

}  // namespace

std::optional<GdiKind> CoreLibrary::KindOf(uint32_t object) const {
  if (object >= kStockBase && object < kSystemBrushBase) return StockKind(object - kStockBase);
  if (object >= kSystemBrushBase && object < kSystemBrushBase + kSystemColors) return GdiKind::Brush;
  if (object == kDefaultBitmap) return GdiKind::Bitmap;
  const auto created = gdiObjects_.find(object);
  return created != gdiObjects_.end() ? std::optional<GdiKind>(created->second.kind) : std::nullopt;
}

uint32_t CoreLibrary::NewGdiObject(GdiObject object) {
  const uint32_t handle = nextGdi_ += 4;
  gdiObjects_[handle] = std::move(object);
  return handle;
}

uint32_t CoreLibrary::NewDc(DeviceContext context) {
  const uint32_t handle = nextGdi_ += 4;
  dcs_[handle] = context;
  return handle;
}

uint32_t CoreLibrary::EndDc(uint32_t dc, const std::function<bool(const DeviceContext&)>& gaveIt,
                             const char* otherwise) {
  const auto context = dcs_.find(dc);
  if (context == dcs_.end() || !gaveIt(context->second)) {
    Problem(otherwise);
    return 0;
  }
  dcs_.erase(context);
  return 1;
}

DeviceContext* CoreLibrary::DcOf(uint32_t handle, const char* call) {
  const auto dc = dcs_.find(handle);
  if (dc != dcs_.end()) return &dc->second;
  Problem(std::string(call) + " of no DC");
  return nullptr;
}

void CoreLibrary::Draw(uint32_t dc, Drawing::Kind kind, Rect rect, std::u16string what) {
  const DeviceContext* context = DcOf(dc, "drawing");
  if (context != nullptr) drawings.push_back({kind, context->window, rect, std::move(what)});
}

uint32_t CoreLibrary::InvalidateRect() {
  const uint32_t handle = machine_.Argument(0);
  if (handle != 0 && WindowOf(handle, "InvalidateRect") == nullptr) return 0;
  // A null window stands for all of them.
  for (auto& [each, window] : windows) window.invalid |= handle == 0 || each == handle;
  inputSincePeek_ = true;
  return 1;
}

uint32_t CoreLibrary::UpdateWindow() {
  const uint32_t handle = machine_.Argument(0);
  const Window* window = WindowOf(handle, "UpdateWindow");
  if (window == nullptr) return 0;
  if (window->invalid && window->procedure != 0 && Shown(handle)) Send(handle, kWmPaint, 0, 0);
  return 1;
}

uint32_t CoreLibrary::BeginPaint() {
  const uint32_t handle = machine_.Argument(0), paintStruct = machine_.Argument(1);
  const Window* window = WindowOf(handle, "BeginPaint");
  if (window == nullptr || paintStruct == 0) return 0;
  for (const auto& [dc, context] : dcs_) {
    if (context.window == handle && context.painting) Problem("BeginPaint again before EndPaint");
  }
  const Rect whole{0, 0, window->rect.Width(), window->rect.Height()};
  const uint32_t dc = NewDc({handle, false, true, {}});
  windows[handle].invalid = false;
  const bool erased = Send(handle, kWmEraseBackground, dc, 0) != 0;
  uint8_t ps[kPaintStructSize] = {};
  const uint32_t head[6] = {dc, !erased, static_cast<uint32_t>(whole.left), static_cast<uint32_t>(whole.top),
                            static_cast<uint32_t>(whole.right), static_cast<uint32_t>(whole.bottom)};
  std::copy_n(reinterpret_cast<const uint8_t*>(head), sizeof head, ps);
  machine_.Write(paintStruct, ps, sizeof ps);
  return dc;
}

uint32_t CoreLibrary::EndPaint() {
  const uint32_t handle = machine_.Argument(0), paintStruct = machine_.Argument(1);
  return EndDc(paintStruct ? machine_.ReadU32(paintStruct) : 0,
               [&](const DeviceContext& dc) { return dc.painting && dc.window == handle; },
               "EndPaint of no DC that BeginPaint gave this window");
}

uint32_t CoreLibrary::GetDC() {
  const uint32_t handle = machine_.Argument(0);
  if (handle != 0 && WindowOf(handle, "GetDC") == nullptr) return 0;
  return NewDc({handle, false, false, {}});
}

uint32_t CoreLibrary::ReleaseDC() {
  const uint32_t handle = machine_.Argument(0);
  return EndDc(machine_.Argument(1),
               [&](const DeviceContext& dc) { return !dc.memory && !dc.painting && dc.window == handle; },
               "ReleaseDC of no DC that GetDC gave this window");
}

uint32_t CoreLibrary::FillRect() {
  const uint32_t dc = machine_.Argument(0), rect = machine_.Argument(1), brush = machine_.Argument(2);
  // A brush, or a system color's index plus one.
  if (brush > kSystemColors + 1 && KindOf(brush) != GdiKind::Brush) {
    Problem("FillRect with no brush");
    return 0;
  }
  const Rect filled{Signed(machine_.ReadU32(rect)), Signed(machine_.ReadU32(rect + 4)),
                    Signed(machine_.ReadU32(rect + 8)), Signed(machine_.ReadU32(rect + 12))};
  Draw(dc, Drawing::Kind::Fill, filled, u"");
  return 1;
}

uint32_t CoreLibrary::DrawTextW() {
  const uint32_t dc = machine_.Argument(0), text = machine_.Argument(1), rect = machine_.Argument(3);
  const auto count = Signed(machine_.Argument(2));
  std::u16string drawn = machine_.ReadWide(text);
  if (count >= 0) drawn = drawn.substr(0, static_cast<size_t>(count));
  Rect box{Signed(machine_.ReadU32(rect)), Signed(machine_.ReadU32(rect + 4)), Signed(machine_.ReadU32(rect + 8)),
           Signed(machine_.ReadU32(rect + 12))};
  if (machine_.Argument(4) & kDtCalcRect) {
    if (DcOf(dc, "DrawTextW") == nullptr) return 0;
    machine_.WriteU32(rect + 12, static_cast<uint32_t>(box.top + kLineHeight));
    return kLineHeight;
  }
  Draw(dc, Drawing::Kind::Text, box, drawn);
  return kLineHeight;
}

uint32_t CoreLibrary::ExtTextOutW() {
  const uint32_t dc = machine_.Argument(0), text = machine_.Argument(5), count = machine_.Argument(6);
  const int32_t x = Signed(machine_.Argument(1)), y = Signed(machine_.Argument(2));
  Draw(dc, Drawing::Kind::Text, {x, y, x, y + kLineHeight}, machine_.ReadWide(text).substr(0, count));
  return 1;
}

uint32_t CoreLibrary::CreateFontIndirectW() {
  if (machine_.Argument(0) == 0) {
    Problem("CreateFontIndirectW without a LOGFONT");
    return 0;
  }
  return NewGdiObject({GdiKind::Font, {}, 0, 0});
}

uint32_t CoreLibrary::GetStockObject() {
  const uint32_t index = machine_.Argument(0);
  if (StockKind(index)) return kStockBase + index;
  Problem("GetStockObject(" + std::to_string(index) + ") is not emulated");
  return 0;
}

uint32_t CoreLibrary::GetSysColorBrush() {
  const uint32_t index = machine_.Argument(0) & ~kSystemColorIndexFlag;
  if (index < kSystemColors) return kSystemBrushBase + index;
  Problem("GetSysColorBrush of no system color");
  return 0;
}

uint32_t CoreLibrary::SelectObject() {
  const uint32_t dc = machine_.Argument(0), object = machine_.Argument(1);
  DeviceContext* context = DcOf(dc, "SelectObject");
  const std::optional<GdiKind> kind = KindOf(object);
  if (context == nullptr || !kind) {
    if (context != nullptr) Problem("SelectObject of no GDI object");
    return 0;
  }
  if (*kind == GdiKind::Bitmap) {
    const bool elsewhere = std::any_of(dcs_.begin(), dcs_.end(), [&](const auto& other) {
      return other.first != dc && other.second.selected.count(GdiKind::Bitmap) &&
             other.second.selected.at(GdiKind::Bitmap) == object;
    });
    if (!context->memory || elsewhere) {
      Problem("SelectObject of a bitmap into a DC that is no memory DC, or into a second one");
      return 0;
    }
  }
  const auto previous = context->selected.find(*kind);
  const uint32_t old = previous != context->selected.end() ? previous->second : DefaultObject(*kind);
  if (object == DefaultObject(*kind)) {
    context->selected.erase(*kind);
  } else {
    context->selected[*kind] = object;
  }
  return old;
}

uint32_t CoreLibrary::DeleteObject() {
  const uint32_t object = machine_.Argument(0);
  if (!KindOf(object)) {
    Problem("DeleteObject of no GDI object");
    return 0;
  }
  if (gdiObjects_.count(object) == 0) return 1;  // a stock object: deleting it does nothing
  for (const auto& [dc, context] : dcs_) {
    for (const auto& [kind, selected] : context.selected) {
      if (selected == object) {
        Problem("DeleteObject of an object selected into a DC");
        return 0;
      }
    }
  }
  gdiObjects_.erase(object);
  return 1;
}

uint32_t CoreLibrary::CreateCompatibleDC() {
  const uint32_t like = machine_.Argument(0);
  if (like != 0 && DcOf(like, "CreateCompatibleDC") == nullptr) return 0;
  return NewDc({0, true, false, {}});
}

uint32_t CoreLibrary::DeleteDC() {
  return EndDc(machine_.Argument(0), [](const DeviceContext& dc) { return dc.memory; },
               "DeleteDC of no DC that CreateCompatibleDC gave");
}

void CoreLibrary::Blit(uint32_t target, Rect rect, uint32_t source) {
  std::u16string bitmap;
  if (source != 0) {
    const DeviceContext* from = DcOf(source, "a blit's source");
    if (from == nullptr) return;
    const auto selected = from->selected.find(GdiKind::Bitmap);
    if (selected != from->selected.end()) bitmap = gdiObjects_[selected->second].file;
  }
  Draw(target, Drawing::Kind::Blit, rect, bitmap);
}

// StretchBlt's first six arguments are BitBlt's: the target, its rectangle and the source.
uint32_t CoreLibrary::BitBlt() {
  const int32_t x = Signed(machine_.Argument(1)), y = Signed(machine_.Argument(2));
  Blit(machine_.Argument(0), {x, y, x + Signed(machine_.Argument(3)), y + Signed(machine_.Argument(4))},
       machine_.Argument(5));
  return 1;
}

uint32_t CoreLibrary::GetObjectW() {
  const uint32_t object = machine_.Argument(0), size = machine_.Argument(1), buffer = machine_.Argument(2);
  const auto bitmap = gdiObjects_.find(object);
  if (bitmap == gdiObjects_.end() || bitmap->second.kind != GdiKind::Bitmap) {
    Problem("GetObjectW of no loaded bitmap: only bitmaps are emulated");
    return 0;
  }
  if (buffer == 0) return kBitmapSize;
  if (size < kBitmapSize) return 0;
  const GdiObject& b = bitmap->second;
  // BITMAP: bmType, bmWidth, bmHeight, bmWidthBytes, bmPlanes and bmBitsPixel, bmBits.
  const uint32_t fields[6] = {0, static_cast<uint32_t>(b.width), static_cast<uint32_t>(b.height),
                              static_cast<uint32_t>((b.width * 3 + 3) & ~3), 1 | 24 << 16, 0};
  machine_.Write(buffer, fields, sizeof fields);
  return kBitmapSize;
}

uint32_t CoreLibrary::ShLoadDiBitmap() {
  const std::u16string path = machine_.ReadWide(machine_.Argument(0));
  const auto file = files_.find(Lower(path));
  // A .bmp file: "BM", then the BITMAPINFOHEADER's width and height at 18 and 22.
  if (file == files_.end() || file->second.size() < 26 || file->second.compare(0, 2, "BM") != 0) return 0;
  const auto field = [&](size_t at) {
    const auto* b = reinterpret_cast<const uint8_t*>(file->second.data() + at);
    return Signed(b[0] | b[1] << 8 | b[2] << 16 | static_cast<uint32_t>(b[3]) << 24);
  };
  return NewGdiObject({GdiKind::Bitmap, path, field(18), std::abs(field(22))});
}

}  // namespace arm_device_test
