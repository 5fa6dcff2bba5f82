// Our coredll's windows: classes with an ARM window procedure, windows that
// are sent WM_CREATE (CE sends no non-client messages) and WM_DESTROY, and
// GWES's built-in controls as records without code: their text, state and,
// for a list box, its entries.
#include <algorithm>

#include "tests/arm_device/core_library.h"

namespace arm_device_test {

namespace {

constexpr uint32_t kWsChild = 0x40000000, kWsVisible = 0x10000000, kWsDisabled = 0x08000000;
constexpr uint32_t kUseDefault = 0x80000000;  // CW_USEDEFAULT
constexpr uint32_t kLbsSort = 0x0002;
constexpr uint32_t kListError = 0xFFFFFFFF;  // LB_ERR
constexpr uint32_t kSwpNoSize = 0x1, kSwpNoMove = 0x2, kSwpShowWindow = 0x40, kSwpHideWindow = 0x80;
constexpr uint32_t kWndClassSize = 40, kCreateStructSize = 48;

constexpr std::pair<const char16_t*, BuiltInClass> kBuiltIn[] = {
    {u"static", BuiltInClass::Static},
    {u"button", BuiltInClass::Button},
    {u"edit", BuiltInClass::Edit},
    {u"listbox", BuiltInClass::ListBox},
};

std::string Narrow(const std::u16string& text) { return {text.begin(), text.end()}; }

uint32_t Word(const std::vector<uint8_t>& bytes, size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

}  // namespace

Window* CoreLibrary::WindowOf(uint32_t handle, const char* call) {
  const auto window = windows.find(handle);
  if (window != windows.end()) return &window->second;
  Problem(std::string(call) + " of no window (" + std::to_string(handle) + ")");
  return nullptr;
}

bool CoreLibrary::Shown(uint32_t handle) const {
  for (auto window = windows.find(handle); window != windows.end(); window = windows.find(window->second.parent)) {
    if (!window->second.visible) return false;
    if (window->second.parent == 0) return true;
  }
  return false;
}

uint32_t CoreLibrary::ControlWithId(uint32_t id, bool mustBeEnabled) {
  std::vector<uint32_t> found;
  for (const auto& [handle, window] : windows) {
    if (window.parent != 0 && window.id == id && Shown(handle)) found.push_back(handle);
  }
  const std::string what = "control " + std::to_string(id);
  if (found.size() != 1) {
    Problem("the script taps " + what + (found.empty() ? ", which is not shown" : ", which is not the only one"));
    return 0;
  }
  if (mustBeEnabled && !windows[found[0]].enabled) {
    Problem("the script taps " + what + ", which is disabled");
    return 0;
  }
  return found[0];
}

std::vector<ShownWindow> CoreLibrary::Screen() const {
  std::vector<ShownWindow> shown;
  for (const auto& [handle, window] : windows) {
    if (!Shown(handle)) continue;
    // A list box shows its entries rather than its text.
    std::u16string text = window.builtIn == BuiltInClass::ListBox ? u"" : window.text;
    for (const std::u16string& item : window.items) text += (text.empty() ? u"" : u"|") + item;
    Rect onScreen = window.rect;
    for (auto parent = windows.find(window.parent); parent != windows.end();
         parent = windows.find(parent->second.parent)) {
      onScreen = {onScreen.left + parent->second.rect.left, onScreen.top + parent->second.rect.top,
                  onScreen.right + parent->second.rect.left, onScreen.bottom + parent->second.rect.top};
    }
    shown.push_back({Lower(window.className), text, onScreen, window.parent == 0});
  }
  return shown;
}

uint32_t CoreLibrary::RegisterClassW() {
  const std::vector<uint8_t> wndClass = machine_.ReadBytes(machine_.Argument(0), kWndClassSize);
  const uint32_t procedure = Word(wndClass, 4), menuName = Word(wndClass, 32), name = Word(wndClass, 36);
  // CE has no menu bars; its classes have no menu.
  if (procedure == 0 || name < 0x10000 || menuName != 0) {
    Problem("RegisterClassW without a window procedure or a class name, or with a menu");
    return 0;
  }
  const std::u16string key = Lower(machine_.ReadWide(name));
  for (const auto& [builtIn, kind] : kBuiltIn) {
    if (key == builtIn) return 0;
  }
  if (!classes_.emplace(key, WindowClass{procedure, Word(wndClass, 28)}).second) return 0;
  return 0xC000 + static_cast<uint32_t>(classes_.size());  // an atom
}

uint32_t CoreLibrary::UnregisterClassW() {
  const uint32_t name = machine_.Argument(0);
  const std::u16string key = name < 0x10000 ? u"" : Lower(machine_.ReadWide(name));
  if (classes_.count(key) == 0) {
    Problem("UnregisterClassW of no registered class");
    return 0;
  }
  // The documentation asks for every window of the class to be destroyed first.
  for (const auto& [handle, window] : windows) {
    if (Lower(window.className) == key) {
      Problem("UnregisterClassW of " + Narrow(key) + " while a window of it lives");
      return 0;
    }
  }
  classes_.erase(key);
  return 1;
}

uint32_t CoreLibrary::CreateWindowExW() {
  uint32_t argument[12];
  for (unsigned i = 0; i < 12; ++i) argument[i] = machine_.Argument(i);
  const uint32_t style = argument[3], parent = argument[8], menu = argument[9];
  if (argument[1] < 0x10000) {
    Problem("CreateWindowExW with a class atom");
    return 0;
  }
  Window window;
  window.className = machine_.ReadWide(argument[1]);
  const std::u16string key = Lower(window.className);
  for (const auto& [builtIn, kind] : kBuiltIn) {
    if (key == builtIn) window.builtIn = kind;
  }
  const auto registered = classes_.find(key);
  if (window.builtIn == BuiltInClass::None && registered == classes_.end()) {
    Problem("CreateWindowExW of an unregistered class " + Narrow(window.className));
    return 0;
  }
  if ((parent != 0 && WindowOf(parent, "CreateWindowExW's parent") == nullptr) ||
      ((style & kWsChild) != 0 && parent == 0)) {
    if (parent == 0) Problem("CreateWindowExW of a child without a parent");
    return 0;
  }
  // CE has no menu bars: hMenu is a child's id or null.
  if (parent == 0 && menu != 0) Problem("CreateWindowExW of a top-level window with a menu");
  window.procedure = registered != classes_.end() ? registered->second.procedure : 0;
  window.parent = parent;
  window.id = parent != 0 ? menu : 0;
  window.style = style;
  window.text = argument[2] ? machine_.ReadWide(argument[2]) : u"";
  const bool defaultPlace = argument[4] == kUseDefault, defaultSize = argument[6] == kUseDefault;
  window.rect.left = defaultPlace ? 0 : static_cast<int32_t>(argument[4]);
  window.rect.top = defaultPlace ? 0 : static_cast<int32_t>(argument[5]);
  window.rect.right = window.rect.left + (defaultSize ? screenWidth : static_cast<int32_t>(argument[6]));
  window.rect.bottom = window.rect.top + (defaultSize ? screenHeight : static_cast<int32_t>(argument[7]));
  window.visible = window.invalid = (style & kWsVisible) != 0;
  window.enabled = (style & kWsDisabled) == 0;
  const uint32_t handle = nextWindow_ += 4;
  windows[handle] = window;
  if (window.procedure == 0) return handle;

  const uint32_t mark = systemUsed_;
  const uint32_t create[12] = {argument[11],
                               argument[10],
                               menu,
                               parent,
                               static_cast<uint32_t>(window.rect.Height()),
                               static_cast<uint32_t>(window.rect.Width()),
                               static_cast<uint32_t>(window.rect.top),
                               static_cast<uint32_t>(window.rect.left),
                               style,
                               argument[2],
                               argument[1],
                               argument[0]};
  const uint32_t created = Send(handle, kWmCreate, 0, PushSystem(create, kCreateStructSize));
  systemUsed_ = mark;
  if (created == 0xFFFFFFFF) {
    Destroy(handle);
    return 0;
  }
  if (windows.count(handle) == 0) return 0;
  Send(handle, kWmSize, 0, static_cast<uint32_t>(window.rect.Width()) | window.rect.Height() << 16);
  return windows.count(handle) ? handle : 0;
}

uint32_t CoreLibrary::DestroyWindow() {
  const uint32_t handle = machine_.Argument(0);
  if (WindowOf(handle, "DestroyWindow") == nullptr) return 0;
  Destroy(handle);
  return 1;
}

void CoreLibrary::Destroy(uint32_t handle) {
  if (windows.count(handle) == 0) return;  // already gone while its WM_DESTROY ran
  if (windows[handle].procedure != 0) Send(handle, kWmDestroy, 0, 0);
  std::vector<uint32_t> children;
  for (const auto& [child, window] : windows) {
    if (window.parent == handle) children.push_back(child);
  }
  for (uint32_t child : children) Destroy(child);
  for (const auto& [dc, context] : dcs_) {
    if (context.window == handle) Problem("a DC of a destroyed window is not released");
  }
  std::erase_if(timers_, [handle](const auto& timer) { return timer.first.first == handle; });
  std::erase_if(posted_, [handle](const PostedMessage& message) { return message.window == handle; });
  windows.erase(handle);
}

uint32_t CoreLibrary::DefWindowProcW() {
  const uint32_t handle = machine_.Argument(0);
  if (WindowOf(handle, "DefWindowProcW") == nullptr) return 0;
  return DefaultProcedure(handle, machine_.Argument(1), machine_.Argument(2), machine_.Argument(3));
}

uint32_t CoreLibrary::CopyText(const std::u16string& text, uint32_t buffer, uint32_t units) {
  if (units == 0 || buffer == 0) return 0;
  const std::u16string copied = text.substr(0, units - 1) + u'\0';
  machine_.Write(buffer, copied.data(), 2 * copied.size());
  return static_cast<uint32_t>(copied.size() - 1);
}

uint32_t CoreLibrary::DefaultProcedure(uint32_t handle, uint32_t message, uint32_t wParam, uint32_t lParam) {
  Window& window = windows[handle];
  switch (message) {
    case kWmSetText:
      window.text = lParam ? machine_.ReadWide(lParam) : u"";
      return 1;
    case kWmGetText: return CopyText(window.text, lParam, wParam);
    case kWmGetTextLength: return static_cast<uint32_t>(window.text.size());
    case kWmClose: Destroy(handle); return 0;
    case kWmPaint: window.invalid = false; return 0;
    case kWmEraseBackground: {
      const auto windowClass = classes_.find(Lower(window.className));
      if (windowClass == classes_.end() || windowClass->second.background == 0) return 0;
      Draw(wParam, Drawing::Kind::Fill, {0, 0, window.rect.Width(), window.rect.Height()}, u"background");
      return 1;
    }
  }
  return 0;
}

uint32_t CoreLibrary::ControlProcedure(uint32_t handle, uint32_t message, uint32_t wParam, uint32_t lParam) {
  Window& window = windows[handle];
  const bool list = window.builtIn == BuiltInClass::ListBox;
  if (message >= kLbAddString && message <= kLbGetCount && !list) {
    Problem("list box message " + std::to_string(message) + " to a " + Narrow(window.className));
    return kListError;
  }
  const bool inList = wParam < window.items.size();
  switch (message) {
    case kWmSetText: {
      window.text = lParam ? machine_.ReadWide(lParam) : u"";
      // An edit control tells its parent of each change, WM_SETTEXT's included.
      const uint32_t parent = window.parent;
      if (window.builtIn == BuiltInClass::Edit) Send(parent, kWmCommand, window.id | kEnChange << 16, handle);
      return 1;
    }
    case kWmGetText: return CopyText(window.text, lParam, wParam);
    case kWmGetTextLength: return static_cast<uint32_t>(window.text.size());
    case kWmSetFont:
      if (wParam != 0 && gdiObjects_.count(wParam) == 0 && wParam < 0x0F000000) Problem("WM_SETFONT of no font");
      return 0;
    case kLbAddString: {
      const std::u16string item = machine_.ReadWide(lParam);
      auto at = window.items.end();
      if (window.style & kLbsSort)
        at = std::upper_bound(window.items.begin(), window.items.end(), Lower(item),
                              [](const std::u16string& a, const std::u16string& b) { return a < Lower(b); });
      return static_cast<uint32_t>(window.items.insert(at, item) - window.items.begin());
    }
    case kLbResetContent:
      window.items.clear();
      window.selection = -1;
      return 0;
    case kLbSetCurSel:
      window.selection = inList ? static_cast<int32_t>(wParam) : -1;
      return inList ? wParam : kListError;
    case kLbGetCurSel: return static_cast<uint32_t>(window.selection);
    case kLbGetText:
      return inList ? CopyText(window.items[wParam], lParam, static_cast<uint32_t>(window.items[wParam].size() + 1))
                    : kListError;
    case kLbGetTextLen: return inList ? static_cast<uint32_t>(window.items[wParam].size()) : kListError;
    case kLbGetCount: return static_cast<uint32_t>(window.items.size());
  }
  return 0;
}

uint32_t CoreLibrary::ShowWindow() {
  Window* window = WindowOf(machine_.Argument(0), "ShowWindow");
  if (window == nullptr) return 0;
  const bool wasVisible = window->visible;
  window->visible = machine_.Argument(1) != 0;  // SW_HIDE is 0
  if (window->visible && !wasVisible) window->invalid = inputSincePeek_ = true;
  return wasVisible;
}

uint32_t CoreLibrary::SetWindowPos() {
  const uint32_t handle = machine_.Argument(0), flags = machine_.Argument(6);
  Window* window = WindowOf(handle, "SetWindowPos");
  if (window == nullptr) return 0;
  const Rect old = window->rect;
  if (!(flags & kSwpNoMove)) {
    window->rect = {static_cast<int32_t>(machine_.Argument(2)), static_cast<int32_t>(machine_.Argument(3)),
                    static_cast<int32_t>(machine_.Argument(2)) + old.Width(),
                    static_cast<int32_t>(machine_.Argument(3)) + old.Height()};
  }
  if (!(flags & kSwpNoSize)) {
    window->rect.right = window->rect.left + static_cast<int32_t>(machine_.Argument(4));
    window->rect.bottom = window->rect.top + static_cast<int32_t>(machine_.Argument(5));
  }
  if (flags & (kSwpShowWindow | kSwpHideWindow)) window->visible = (flags & kSwpShowWindow) != 0;
  window->invalid = window->visible;
  inputSincePeek_ = true;
  const Rect now = window->rect;
  if (window->procedure != 0 && (now.Width() != old.Width() || now.Height() != old.Height()))
    Send(handle, kWmSize, 0, static_cast<uint32_t>(now.Width()) | now.Height() << 16);
  return 1;
}

uint32_t CoreLibrary::GetClientRect() {
  const Window* window = WindowOf(machine_.Argument(0), "GetClientRect");
  if (window == nullptr || machine_.Argument(1) == 0) return 0;
  // No frames on a kiosk's windows: the client area is the whole window.
  const int32_t rect[4] = {0, 0, window->rect.Width(), window->rect.Height()};
  machine_.Write(machine_.Argument(1), rect, sizeof rect);
  return 1;
}

namespace {

// Other programs' windows, numbered apart from the program's own.
constexpr uint32_t kOtherProgramsWindows = 0x00D00000;
// Process ids: the program's own; another program's window stands for its
// program's id; a started process's id is its handle (CreateProcessW).
constexpr uint32_t kOwnProcessId = 0x00E00000;

}  // namespace

bool CoreLibrary::IsOtherProgramsWindow(uint32_t handle) {
  return handle >= kOtherProgramsWindows && handle < kOtherProgramsWindows + 0x1000;
}

// FindWindowW(class, title): by class only, which is all a program here asks.
uint32_t CoreLibrary::FindWindowW() {
  if (machine_.Argument(0) == 0 || machine_.Argument(1) != 0) {
    Problem("FindWindowW without a class, or with a title");
    return 0;
  }
  const std::u16string wanted = Lower(machine_.ReadWide(machine_.Argument(0)));
  for (const auto& [handle, window] : windows) {
    if (window.parent == 0 && Lower(window.className) == wanted) return handle;
  }
  for (uint32_t i = 0; i < otherProgramsWindows.size(); ++i) {
    if (Lower(otherProgramsWindows[i]) == wanted) return kOtherProgramsWindows + i;
  }
  return 0;
}

uint32_t CoreLibrary::SetForegroundWindow() {
  const uint32_t handle = machine_.Argument(0);
  if (!IsOtherProgramsWindow(handle) && WindowOf(handle, "SetForegroundWindow") == nullptr) return 0;
  broughtToFront.push_back(handle);
  foreground = handle;
  return 1;
}

uint32_t CoreLibrary::GetForegroundWindow() { return foreground; }

void CoreLibrary::OtherProgramInFront() {
  otherProgramsWindows.push_back(u"OtherProgram");
  foreground = kOtherProgramsWindows + static_cast<uint32_t>(otherProgramsWindows.size() - 1);
}

// The id of the window's thread, which is its process's: one thread a process.
uint32_t CoreLibrary::GetWindowThreadProcessId() {
  const uint32_t handle = machine_.Argument(0), processId = machine_.Argument(1);
  uint32_t process = kOwnProcessId;
  if (IsOtherProgramsWindow(handle))
    process = handle;
  else if (WindowOf(handle, "GetWindowThreadProcessId") == nullptr)
    return 0;
  if (processId != 0) machine_.WriteU32(processId, process);
  return process;
}

uint32_t CoreLibrary::SetFocus() {
  const uint32_t handle = machine_.Argument(0);
  if (handle != 0 && WindowOf(handle, "SetFocus") == nullptr) return 0;
  return 0;  // no window had the focus before: there is no keyboard
}

uint32_t CoreLibrary::SetWindowTextW() {
  const uint32_t handle = machine_.Argument(0);
  if (WindowOf(handle, "SetWindowTextW") == nullptr) return 0;
  return Send(handle, kWmSetText, 0, machine_.Argument(1));
}

uint32_t CoreLibrary::GetWindowTextW() {
  const uint32_t handle = machine_.Argument(0);
  if (WindowOf(handle, "GetWindowTextW") == nullptr) return 0;
  return Send(handle, kWmGetText, machine_.Argument(2), machine_.Argument(1));
}

uint32_t CoreLibrary::EnableWindow() {
  Window* window = WindowOf(machine_.Argument(0), "EnableWindow");
  if (window == nullptr) return 0;
  const bool wasDisabled = !window->enabled;
  window->enabled = machine_.Argument(1) != 0;
  return wasDisabled;
}

uint32_t CoreLibrary::GetSystemMetrics() {
  const uint32_t index = machine_.Argument(0);
  switch (index) {
    case 0: return static_cast<uint32_t>(screenWidth);   // SM_CXSCREEN
    case 1: return static_cast<uint32_t>(screenHeight);  // SM_CYSCREEN
    case 2: case 3: return 13;                           // SM_CXVSCROLL, SM_CYHSCROLL
    case 4: return 26;                                   // SM_CYCAPTION
    case 5: case 6: return 1;                            // SM_CXBORDER, SM_CYBORDER
    case 11: case 12: return 32;                         // SM_CXICON, SM_CYICON
    case 49: case 50: return 16;                         // SM_CXSMICON, SM_CYSMICON
  }
  Problem("GetSystemMetrics(" + std::to_string(index) + ") is not emulated");
  return 0;
}

}  // namespace arm_device_test
