// The x86 engine held to the engine's case table, as the ARM engine is on the
// emulated ARM device: each case's device in the Wine prefix, its steps played
// in real time, and what the engine showed, started and recorded.
#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cwctype>
#include <set>

#include "device/engine_contract/engine_contract.h"
#include "device/kiosk_engine/core/screen_layout.h"
#include "device/kiosk_engine/kiosk_controls.h"
#include "support/text.h"
#include "tests/kiosk_engine/engine_on_device.h"
#include "tests/kiosk_engine_cases/engine_cases.h"
#include "tests/kiosk_engine_cases/engine_controls.h"

namespace {

using namespace kiosk_engine_test;
namespace cases = kiosk_engine_cases;
namespace contract = device::engine_contract;
namespace engine = device::kiosk_engine;

std::wstring Wide(const std::u16string& text) { return {text.begin(), text.end()}; }
std::vector<std::wstring> Wide(const std::vector<std::u16string>& texts) {
  std::vector<std::wstring> wide;
  for (const std::u16string& text : texts) wide.push_back(Wide(text));
  return wide;
}
std::string Utf8(const std::u16string& text) { return support::Narrow(Wide(text)); }
// A device path ("\Windows\...") on the prefix's drive.
std::wstring OnDrive(const std::u16string& devicePath) { return L"C:" + Wide(devicePath); }
std::wstring Lower(std::wstring text) {
  std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return std::towlower(c); });
  return text;
}
std::wstring FileName(const std::wstring& path) { return Lower(path.substr(path.find_last_of(L'\\') + 1)); }

// Ends every running copy of the program, as the device's task manager would.
void EndProgram(const std::wstring& path, DWORD exitCode) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
    if (FileName(entry.szExeFile) != FileName(path)) continue;
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID);
    TerminateProcess(process, exitCode);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
  }
  CloseHandle(snapshot);
}

// The recorder at each device path that the cases start; all of them write
// to one log and stay until ended, as applications do.
class ProgramsOnDevice {
 public:
  ProgramsOnDevice() {
    SetEnvironmentVariableW(L"BC_LAUNCH_LOG", log_.c_str());
    for (const std::u16string& program : cases::kPrograms) {
      const std::wstring path = OnDrive(program);
      CreateDirectoryW(path.substr(0, path.find_last_of(L'\\')).c_str(), nullptr);
      CopyFileW(WideWindowsPath(BC_LAUNCH_RECORDER).c_str(), path.c_str(), FALSE);
    }
  }
  ~ProgramsOnDevice() {
    EndAll();
    for (const std::u16string& program : cases::kPrograms) DeleteFileW(OnDrive(program).c_str());
    SetEnvironmentVariableW(L"BC_LAUNCH_LOG", nullptr);
    DeleteFileW(log_.c_str());
  }
  void EndAll() {
    for (const std::u16string& program : cases::kPrograms) EndProgram(OnDrive(program), 0);
  }
  // "path|parameters" of each run, lower case, sorted: the copies race to write.
  std::vector<std::wstring> Runs() const {
    std::vector<std::wstring> runs;
    for (const std::string& line : Lines(ReadWholeFile(log_))) runs.push_back(Lower(support::Widen(line)));
    std::sort(runs.begin(), runs.end());
    return runs;
  }

 private:
  std::wstring log_ = kWindows + L"launch_log.txt";
};

const COLORREF kLogoColour = RGB(cases::kLogoGrey, cases::kLogoGrey, cases::kLogoGrey);

DeviceSetup SetupOf(const cases::EngineCase& c) {
  DeviceSetup setup{.applicationList = c.applicationList, .codeFile = c.codeFile, .shellLibrary = c.shellLibrary,
                    .commandLine = Utf8(c.commandLine)};
  if (c.logoFile) setup.logoFile = cases::LogoFile();
  for (const cases::Value& value : c.values) {
    if (const uint32_t* number = std::get_if<uint32_t>(&value.data))
      setup.values.push_back({Wide(value.name), DWORD{*number}});
    else
      setup.values.push_back({Wide(value.name), Wide(std::get<std::u16string>(value.data))});
  }
  return setup;
}

// One case's run: its steps, and what was seen while they played.
class CaseRun {
 public:
  explicit CaseRun(const cases::EngineCase& c) {
    kiosk_.Start(SetupOf(c));
    if (!WaitUntil([&] { return kiosk_.Window() != nullptr; })) ADD_FAILURE() << "no kiosk window";
    // The engine's clock starts as its window opens, which Wine may take a while to reach.
    started_ = GetTickCount();
    for (const cases::Step& step : c.steps) Play(step);
    Watch([&] { return !kiosk_.process().Running(); }, 10'000);
  }

  EngineOnDevice kiosk_;
  std::set<std::wstring> texts;
  std::vector<std::wstring> rows;  // the desktop's, as last seen
  std::vector<std::wstring> messages;
  bool logoAtCentre = false, logoAtCorner = false;  // of the logo's area
  bool coversScreen = true;
  bool broughtToFront = false;

 private:
  // Notes what the engine's screens show now, and answers its message boxes.
  void Observe() {
    const gui_driver::MessageBoxInfo box = gui_driver::WaitMessageBox(kiosk_.process().Id(), 0ms);
    if (box.window != nullptr) {
      messages.push_back(support::Widen(box.text));
      gui_driver::Answer(box, IDOK);
    }
    HWND window = kiosk_.Window();
    if (window == nullptr) return;
    RECT rect{};
    GetWindowRect(window, &rect);
    coversScreen &= rect.left == 0 && rect.top == 0 && rect.right == GetSystemMetrics(SM_CXSCREEN) &&
                    rect.bottom == GetSystemMetrics(SM_CYSCREEN);
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
      if (IsWindowVisible(child)) texts.insert(WideText(child));
    }
    // A list being destroyed as the engine leaves reads as empty.
    if (std::vector<std::wstring> now = kiosk_.ListRows(); !now.empty()) rows = now;
    if (kiosk_.Control(engine::kSecondsLeftId) != nullptr) ObserveLogo();
  }
  void ObserveLogo() {
    const engine::Rect logo =
        engine::LayOutStartupScreen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)).logo;
    HDC screen = GetDC(nullptr);
    logoAtCorner |= GetPixel(screen, logo.left + 1, logo.top + 1) == kLogoColour;
    logoAtCentre |= GetPixel(screen, (logo.left + logo.right) / 2, (logo.top + logo.bottom) / 2) == kLogoColour;
    ReleaseDC(nullptr, screen);
  }
  // Observes until the condition holds or the time is up.
  void Watch(const std::function<bool()>& done, DWORD timeoutMs) {
    for (const DWORD start = GetTickCount(); !done() && GetTickCount() - start < timeoutMs; Sleep(50)) Observe();
    Observe();
  }
  // Waits until the engine serves its queue again: it has done what the last step asked.
  void Settle() {
    for (int round = 0; round < 2; ++round) {
      DWORD_PTR result = 0;
      SendMessageTimeoutW(kiosk_.Window(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
      Observe();
    }
  }
  void SetEvent(const wchar_t* name) {
    HANDLE event = OpenEventW(EVENT_MODIFY_STATE, FALSE, name);
    ::SetEvent(event);
    CloseHandle(event);
  }
  void Play(const cases::Step& step) {
    if (step.atMs != 0)
      Watch([&] { return GetTickCount() - started_ >= step.atMs; }, step.atMs + 1000);
    else
      Settle();
    const int id = static_cast<int>(cases::ControlId(step.control));
    if (step.kind == cases::Step::Kind::Tap || step.kind == cases::Step::Kind::Type ||
        step.kind == cases::Step::Kind::StartEntry)
      Watch([&] { return kiosk_.Control(id) != nullptr && IsWindowVisible(kiosk_.Control(id)); }, 5000);
    switch (step.kind) {
      case cases::Step::Kind::ExitEvent: return SetEvent(contract::kExitEventName.wide);
      case cases::Step::Kind::ButtonEvent: return PressButton();
      case cases::Step::Kind::Tap: return gui_driver::ClickAsync(kiosk_.Window(), id);
      case cases::Step::Kind::Type: return gui_driver::SetText(kiosk_.Window(), id, Utf8(step.text));
      case cases::Step::Kind::StartEntry: return kiosk_.TapRow(step.entry);
      case cases::Step::Kind::EndProgram: return EndProgram(OnDrive(step.text), step.exitCode);
      case cases::Step::Kind::OtherWindow: return OtherWindowInFront();
      // A held stylus and the shell's buttons exist only on the emulated device.
      case cases::Step::Kind::Hold:
      case cases::Step::Kind::ApplicationButton: ADD_FAILURE() << "a step for the emulated device only"; return;
    }
  }
  // An application in front, then the button event: the kiosk must come back.
  void PressButton() {
    if (HWND application = FindWindowW(L"STATIC", L"launched application")) SetForegroundWindow(application);
    SetEvent(contract::kButtonEventName.wide);
    Watch([&] { return broughtToFront = GetForegroundWindow() == kiosk_.Window(); }, 5000);
  }

  // The test's own window in front: the watchdog must cover it.
  void OtherWindowInFront() {
    HWND other = CreateWindowExW(0, L"STATIC", L"another program", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr,
                                 nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    Watch([&] { return broughtToFront = GetForegroundWindow() == kiosk_.Window(); }, 3000);
    DestroyWindow(other);
  }

  DWORD started_ = 0;
};

std::vector<std::string> RecordedLaunches(const std::string& record) {
  std::vector<std::string> launches;
  for (const std::string& line : Lines(record)) {
    if (line.rfind("launched=", 0) == 0) launches.push_back(line);
  }
  return launches;
}

void ExpectTheLaunches(const cases::EngineCase& c, const std::string& record, std::vector<std::wstring> runs) {
  std::vector<std::string> recorded;
  std::vector<std::wstring> expectedRuns;
  for (const cases::Launch& launch : c.launched) {
    std::string line = "launched=" + Utf8(launch.path);
    if (!launch.params.empty()) line.append(" ").append(Utf8(launch.params));
    recorded.push_back(line);
    expectedRuns.push_back(Lower(OnDrive(launch.path) + L"|" + Wide(launch.params)));
  }
  std::sort(expectedRuns.begin(), expectedRuns.end());
  EXPECT_EQ(RecordedLaunches(record), recorded) << "the engine's record of what it started, in order";
  EXPECT_EQ(runs, expectedRuns) << "the programs that ran, with their parameters";
}

void ExpectTheTaskbar(const cases::EngineCase& c, const std::vector<std::string>& calls) {
  const auto flags = [](const std::string& call) { return std::stoul(call, nullptr, 16); };
  EXPECT_EQ(std::any_of(calls.begin(), calls.end(), [&](const std::string& call) { return flags(call) & 0x2; }),
            c.taskbarHidden);  // SHFS_HIDETASKBAR
  if (!calls.empty()) {
    EXPECT_TRUE(flags(calls.back()) & 0x1) << "the taskbar is not shown again on leaving";  // SHFS_SHOWTASKBAR
  }
}

TEST(KioskEngineOnDevice, EngineCases) {
  const std::string version = BC_VERSION;
  for (const cases::EngineCase& c : cases::EngineCases({version.begin(), version.end()})) {
    if (c.emulatorOnly) continue;
    SCOPED_TRACE(c.what);
    ProgramsOnDevice programs;
    CaseRun run(c);
    EXPECT_EQ(run.kiosk_.process().WaitForExit(), c.exitCode);
    // A program started just before the engine left may not have run yet.
    WaitUntil([&] { return programs.Runs().size() >= c.launched.size(); }, 5s);
    programs.EndAll();
    const std::string record = run.kiosk_.Record();
    ExpectTheLaunches(c, record, programs.Runs());
    EXPECT_EQ(run.messages, Wide(c.messages)) << "message boxes";
    for (const std::u16string& text : c.shown) EXPECT_TRUE(run.texts.count(Wide(text))) << Utf8(text);
    for (const std::u16string& text : c.neverShown) EXPECT_FALSE(run.texts.count(Wide(text))) << Utf8(text);
    EXPECT_EQ(run.rows, Wide(c.desktopList)) << "the desktop";
    EXPECT_TRUE(run.coversScreen);
    if (c.broughtToFront) {
      EXPECT_TRUE(run.broughtToFront);
    }
    ExpectTheTaskbar(c, run.kiosk_.TaskbarCalls());
    EXPECT_EQ(run.logoAtCentre, c.logo != cases::Logo::None);
    // The area's corner is the logo's only when the logo is stretched over it.
    EXPECT_EQ(run.logoAtCorner, c.logo == cases::Logo::Stretched);
    for (const std::string& line : c.recordLines) EXPECT_NE(record.find(line + "\n"), std::string::npos) << line;
  }
}

}  // namespace
