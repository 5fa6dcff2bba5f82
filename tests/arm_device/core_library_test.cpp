// The emulated coredll's own rules, where a fault of ours would hide one of
// the engine's: the registry's buffer rules, the queue's order on device
// time, and the misuse it must report. Its functions are called through
// their stubs; the one window procedure is ARM code that hands every message
// to DefWindowProcW.
#include <gtest/gtest.h>

#include <functional>

#include "tests/arm_device/core_library.h"

namespace {

using namespace arm_device_test;

enum Ordinal : uint16_t {
  kRegisterClassW = 95, kCreateWindowExW = 246, kGetDC = 262, kReleaseDC = 263, kDefWindowProcW = 264,
  kDestroyWindow = 265, kEnableWindow = 287, kRegCloseKey = 455, kRegOpenKeyExW = 461, kRegQueryValueExW = 463,
  kGetMessageW = 861, kDispatchMessageW = 859, kPostMessageW = 865, kSendMessageW = 868, kSetTimer = 875,
  kDeleteObject = 912, kSelectObject = 921, kCreateSolidBrush = 931, kCreateCompatibleDC = 910,
  kGetTickCount = 535, kLoadLibraryW = 528, kGetProcAddressW = 530, kMsgWaitForMultipleObjectsEx = 871,
};
constexpr uint32_t kLocalMachine = 0x80000002, kVisible = 0x10000000, kChild = 0x40000000, kDisabled = 0x08000000;

struct Device {
  Device() {
    // LDR PC, [PC, #-4]: on to DefWindowProcW with the four arguments unchanged,
    // in a page of its own that may run, as the test's arguments may not.
    machine.Map(kProcedure, kPageSize, kPageRead | kPageExecute, "the test's window procedure");
    machine.WriteU32(kProcedure, 0xE51FF004);
    machine.WriteU32(kProcedure + 4, *core.Resolve(kDefWindowProcW));
    const uint32_t wndClass = machine.Scratch(40);
    machine.WriteU32(wndClass + 4, kProcedure);
    machine.WriteU32(wndClass + 36, machine.ScratchWide(u"Kiosk"));
    Call(kRegisterClassW, {wndClass});
  }
  uint32_t Call(uint16_t ordinal, const std::vector<uint32_t>& arguments) {
    const CallResult result = machine.Call(*core.Resolve(ordinal), arguments);
    core.problems.insert(core.problems.end(), result.problems.begin(), result.problems.end());
    return result.r0;
  }
  uint32_t Window(const char16_t* className, uint32_t style, uint32_t parent = 0, uint32_t id = 0) {
    return Call(kCreateWindowExW, {0, machine.ScratchWide(className), machine.ScratchWide(u"text"), style, 0, 0,
                                   100, 50, parent, id, 0, 0});
  }
  ArmMachine machine;
  CoreLibrary core{machine};
  static constexpr uint32_t kProcedure = 0x00200000;  // below the loaded module, above the stack
};

TEST(CoreLibraryArm, RegistryValuesFollowTheBufferRules) {
  struct Case {
    const char* what;
    const char16_t* key;
    const char16_t* value;
    bool withData;
    uint32_t room;  // the size passed in
    uint32_t result, sizeOut;
  };
  constexpr uint32_t kNotFound = 2, kMoreData = 234, kStringSize = 10;  // "abcd" and its zero
  for (const Case& c : std::initializer_list<Case>{
           {"the size asked for", u"Software\\Brindlecove", u"Title", false, 0, 0, kStringSize},
           {"a buffer that fits", u"software\\brindlecove", u"TITLE", true, kStringSize, 0, kStringSize},
           {"a buffer one byte short", u"Software\\Brindlecove", u"Title", true, kStringSize - 1, kMoreData,
            kStringSize},
           {"a number", u"Software\\Brindlecove", u"Delay", true, 4, 0, 4},
           {"a missing value", u"Software\\Brindlecove", u"Other", true, 4, kNotFound, 4},
           {"a missing key", u"Software\\Other", u"Title", true, 4, kNotFound, 4},
       }) {
    SCOPED_TRACE(c.what);
    Device device;
    device.core.PutRegistryString(u"Software\\Brindlecove", u"Title", u"abcd");
    device.core.PutRegistryNumber(u"Software\\Brindlecove", u"Delay", 65535);
    const uint32_t key = device.machine.Scratch(4), size = device.machine.Scratch(4), data = device.machine.Scratch(16);
    const uint32_t opened = device.Call(kRegOpenKeyExW, {kLocalMachine, device.machine.ScratchWide(c.key), 0, 0, key});
    uint32_t result = opened;
    if (opened == 0) {
      device.machine.WriteU32(size, c.room);
      result = device.Call(kRegQueryValueExW, {device.machine.ReadU32(key), device.machine.ScratchWide(c.value), 0, 0,
                                               c.withData ? data : 0, size});
      EXPECT_EQ(device.Call(kRegCloseKey, {device.machine.ReadU32(key)}), 0u);
      EXPECT_EQ(device.machine.ReadU32(size), c.sizeOut);
    }
    EXPECT_EQ(result, c.result);
    if (c.withData) {
      EXPECT_EQ(device.machine.ReadU32(data) != 0, result == 0) << "written without success";
    }
    EXPECT_TRUE(device.core.problems.empty());
    EXPECT_EQ(device.core.OpenHandles(), 0u);
  }
}

TEST(CoreLibraryArm, QueueGivesPostedThenPaintThenTimersOnDeviceTime) {
  Device device;
  const uint32_t window = device.Window(u"Kiosk", kVisible);
  device.Call(kSetTimer, {window, 7, 1000, 0});
  device.Call(kPostMessageW, {window, 0x400, 1, 2});
  const uint32_t msg = device.machine.Scratch(28);
  const uint32_t start = device.Call(kGetTickCount, {});
  struct Expected {
    uint32_t message, wParam, elapsedMs;
  };
  for (const Expected& e : {Expected{0x400, 1, 0}, {0x000F, 0, 0}, {0x0113, 7, 1000}, {0x0113, 7, 2000}}) {
    ASSERT_EQ(device.Call(kGetMessageW, {msg, 0, 0, 0}), 1u);
    EXPECT_EQ(device.machine.ReadU32(msg + 4), e.message);
    EXPECT_EQ(device.machine.ReadU32(msg + 8), e.wParam);
    EXPECT_EQ(device.Call(kGetTickCount, {}) - start, e.elapsedMs);
    device.Call(kDispatchMessageW, {msg});  // DefWindowProcW validates the window on WM_PAINT
  }
  device.Call(kDestroyWindow, {window});
  EXPECT_TRUE(device.core.problems.empty()) << device.core.problems.front();
  EXPECT_EQ(device.core.WindowResources(), 0u);
}

TEST(CoreLibraryArm, ControlsKeepTheirTextAndListsTheirEntries) {
  Device device;
  const uint32_t window = device.Window(u"Kiosk", kVisible);
  const uint32_t list = device.Window(u"LISTBOX", kVisible | kChild | 0x2 /* LBS_SORT */, window, 5);
  device.Window(u"BUTTON", kVisible | kChild, window, 6);
  for (const char16_t* entry : {u"Word", u"excel", u"Access"})
    device.Call(kSendMessageW, {list, 0x0180, 0, device.machine.ScratchWide(entry)});
  EXPECT_EQ(device.Call(kSendMessageW, {list, 0x018B, 0, 0}), 3u);
  const std::vector<ShownWindow> screen = device.core.Screen();
  ASSERT_EQ(screen.size(), 3u);
  EXPECT_EQ(screen[0], (ShownWindow{u"kiosk", u"text", {0, 0, 100, 50}, true}));
  EXPECT_EQ(screen[1].text, u"Access|excel|Word");
  EXPECT_EQ(screen[2].className, u"button");
  device.Call(kDestroyWindow, {window});
  EXPECT_TRUE(device.core.windows.empty()) << "the children live on";
  EXPECT_TRUE(device.core.problems.empty()) << device.core.problems.front();
}

// Until a posted message comes; the window's WM_PAINT does not end it.
void WaitForPosted(Device& device) {
  constexpr uint32_t kInfinite = 0xFFFFFFFF, kQsPostMessage = 0x08;
  device.Call(kMsgWaitForMultipleObjectsEx, {0, 0, kInfinite, kQsPostMessage, 0});
}

TEST(CoreLibraryArm, MisuseIsAProblem) {
  struct Case {
    const char* problem;
    std::function<void(Device&, uint32_t window)> misuse;
  };
  const Case cases[] = {
      {"DeleteObject of an object selected into a DC",
       [](Device& d, uint32_t window) {
         const uint32_t dc = d.Call(kGetDC, {window}), brush = d.Call(kCreateSolidBrush, {0});
         d.Call(kSelectObject, {dc, brush});
         d.Call(kDeleteObject, {brush});
       }},
      {"ReleaseDC of no DC that GetDC gave this window",
       [](Device& d, uint32_t window) { d.Call(kReleaseDC, {window, d.Call(kCreateCompatibleDC, {0})}); }},
      {"a DC of a destroyed window is not released",
       [](Device& d, uint32_t window) {
         d.Call(kGetDC, {window});
         d.Call(kDestroyWindow, {window});
       }},
      {"the script taps control 6, which is disabled",
       [](Device& d, uint32_t window) {
         d.Call(kEnableWindow, {d.Window(u"BUTTON", kVisible | kChild, window, 6), 0});
         d.core.setWhileWaiting = {Happening::Tap(6), Happening(u"end")};
         WaitForPosted(d);
       }},
      {"the script taps control 6, which is not shown",
       [](Device& d, uint32_t window) {
         d.Window(u"BUTTON", kChild | kDisabled, window, 6);
         d.core.setWhileWaiting = {Happening::Tap(6)};
         WaitForPosted(d);
       }},
      {"waits on messages and objects, which nothing will ever end",
       [](Device& d, uint32_t) { WaitForPosted(d); }},
      {"GetProcAddressW of no loaded library, or by ordinal",
       [](Device& d, uint32_t) {
         d.core.hasShellLibrary = false;
         const uint32_t library = d.Call(kLoadLibraryW, {d.machine.ScratchWide(u"aygshell.dll")});
         d.Call(kGetProcAddressW, {library, d.machine.ScratchWide(u"SHFullScreen")});
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.problem);
    Device device;
    const uint32_t window = device.Window(u"Kiosk", kVisible);
    c.misuse(device, window);
    ASSERT_FALSE(device.core.problems.empty());
    EXPECT_EQ(device.core.problems.front(), c.problem);
  }
}

}  // namespace
