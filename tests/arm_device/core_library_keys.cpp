// The application buttons and their hot keys. The shell holds VK_APP1 to
// VK_APP6 with MOD_WIN until UnregisterFunc1 releases them; a press then goes
// to the window that registered the key, as WM_HOTKEY, or nowhere. Like
// GWES, RegisterHotKey refuses a key or id that is already registered.
#include "tests/arm_device/core_library.h"

namespace arm_device_test {

namespace {

constexpr uint32_t kWindowsKey = 0x0008;  // MOD_WIN
constexpr uint32_t kHotKeyMessage = 0x0312;  // WM_HOTKEY

std::string KeyCall(const char* call, uint32_t key) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  return std::string(call) + " " + kDigits[key >> 4 & 0xF] + kDigits[key & 0xF];
}

}  // namespace

CoreLibrary::ShellButtons::ShellButtons() {
  for (uint32_t key = kFirstApplicationButton; key <= kLastApplicationButton; ++key) held.insert(key);
}

uint32_t CoreLibrary::UnregisterFunc1() {
  const uint32_t modifiers = machine_.Argument(0), key = machine_.Argument(1);
  hotKeyCalls.push_back(KeyCall("UnregisterFunc1", key));
  return modifiers == kWindowsKey && shellButtons_.held.erase(key) == 1 ? 1 : 0;
}

uint32_t CoreLibrary::RegisterHotKey() {
  const uint32_t window = machine_.Argument(0), id = machine_.Argument(1);
  const uint32_t modifiers = machine_.Argument(2), key = machine_.Argument(3);
  if (WindowOf(window, "RegisterHotKey") == nullptr) return 0;
  hotKeyCalls.push_back(KeyCall("RegisterHotKey", key));
  for (const auto& [owner, hotKey] : hotKeys) {
    if (owner.second == id && owner.first == window) return 0;
    if (hotKey.modifiers == modifiers && hotKey.key == key) return 0;
  }
  if (modifiers == kWindowsKey && shellButtons_.held.count(key) != 0) return 0;  // the shell's still
  hotKeys[{window, id}] = {modifiers, key};
  return 1;
}

uint32_t CoreLibrary::UnregisterHotKey() {
  const auto registered = hotKeys.find({machine_.Argument(0), machine_.Argument(1)});
  if (registered == hotKeys.end()) return 0;
  hotKeyCalls.push_back(KeyCall("UnregisterHotKey", registered->second.key));
  hotKeys.erase(registered);
  return 1;
}

void CoreLibrary::PressButton(uint32_t key) {
  for (const auto& [owner, hotKey] : hotKeys) {
    if (hotKey.modifiers == kWindowsKey && hotKey.key == key) {
      Post(owner.first, kHotKeyMessage, owner.second, kWindowsKey | key << 16);
      return;
    }
  }
  if (shellButtons_.held.count(key) != 0) shellButtonPresses.push_back(key);
}

}  // namespace arm_device_test
