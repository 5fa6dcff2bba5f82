#include "device/kiosk_engine/kiosk_window.h"

#include "device/ce_platform.h"
#include "device/kiosk_engine/application_start.h"
#include "device/kiosk_engine/kiosk_controls.h"

namespace device::kiosk_engine {

namespace {

// The window's timers: the countdown's seconds, the main application's
// restart, the hold on the desktop's title and the exit event's watch while
// a message box runs its own loop, and the watchdog's look at the window in
// front.
constexpr UINT_PTR kCountdownTimer = 1;
constexpr UINT_PTR kRestartTimer = 2;
constexpr UINT_PTR kHoldTimer = 3;
constexpr UINT_PTR kExitWatchTimer = 4;
constexpr UINT_PTR kWatchdogTimer = 5;
constexpr UINT kCountdownStepMs = 250;
constexpr UINT kHoldMs = 1000;
constexpr UINT kExitWatchMs = 250;
constexpr UINT kWatchdogMs = 1000;

// A process has one kiosk window; its procedure finds the object here.
KioskWindow* openWindow = nullptr;

}  // namespace

KioskWindow::KioskWindow(HINSTANCE instance, const EngineSettings& settings, const FileContent& applications,
                         const wchar_t* logoPath, HANDLE exitEvent, EngineRecord& record)
    : instance_(instance),
      settings_(settings),
      applications_(applications),
      exitEvent_(exitEvent),
      record_(record),
      session_(settings, GetTickCount()),
      logo_(settings.showLogo ? logoPath : L"") {}

bool KioskWindow::Open() {
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = Procedure;
  windowClass.hInstance = instance_;
  windowClass.lpszClassName = kKioskWindowClass;
  RegisterClassW(&windowClass);
  width_ = GetSystemMetrics(SM_CXSCREEN);
  height_ = GetSystemMetrics(SM_CYSCREEN);
  openWindow = this;
  window_ = CreateWindowExW(0, kKioskWindowClass, TextOf(settings_.language, EngineText::KioskCaption), WS_POPUP, 0,
                            0, width_, height_, nullptr, nullptr, instance_, nullptr);
  if (window_ == nullptr) return false;
  SetTimer(window_, kWatchdogTimer, kWatchdogMs, nullptr);
  taskbar_.Hide(window_, settings_.showTaskbar, false);
  if (settings_.disableHardButtons) buttons_.Take(window_);
  if (session_.Stage() == EngineStage::Startup) {
    startup_.Show(window_, settings_, LayOutStartupScreen(width_, height_));
    startup_.ShowSecondsLeft(session_.SecondsLeft(GetTickCount()));
    SetTimer(window_, kCountdownTimer, kCountdownStepMs, nullptr);
  }
  ShowWindow(window_, SW_SHOW);
  UpdateWindow(window_);
  if (session_.Stage() == EngineStage::Kiosk) ShowKioskMode();
  RecordScreen();
  return true;
}

void KioskWindow::Close() {
  if (window_ == nullptr) return;
  taskbar_.Show(window_);
  buttons_.Release();
  KillTimer(window_, kCountdownTimer);
  KillTimer(window_, kRestartTimer);
  KillTimer(window_, kHoldTimer);
  KillTimer(window_, kWatchdogTimer);
  DestroyWindow(window_);
  window_ = nullptr;
  UnregisterClassW(kKioskWindowClass, instance_);
  if (mainApplication_ != nullptr) CloseHandle(mainApplication_);
  mainApplication_ = nullptr;
}

void KioskWindow::ExitRequested() { session_.ExitRequested(); }

void KioskWindow::BringToFront() {
  SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  SetForegroundWindow(window_);
}

void KioskWindow::MainApplicationEnded() {
  CloseHandle(mainApplication_);
  mainApplication_ = nullptr;
  std::uint32_t delayMs = 0;
  if (!RestartPolicy(settings_.restartDelay).RestartsAfter(delayMs)) return;
  if (delayMs == 0)
    StartMainApplication();
  else
    SetTimer(window_, kRestartTimer, delayMs, nullptr);
}

LRESULT CALLBACK KioskWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (openWindow == nullptr || openWindow->window_ != window) return DefWindowProcW(window, message, wParam, lParam);
  return openWindow->Handle(message, wParam, lParam);
}

LRESULT KioskWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_TIMER:
      OnTimer(wParam);
      return 0;
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_LBUTTONDOWN:
      OnPress(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      return 0;
    case WM_LBUTTONUP:
      KillTimer(window_, kHoldTimer);
      return 0;
    case WM_HOTKEY:  // an application button: it starts nothing while the kiosk holds it
      return 0;
    default:
      return DefWindowProcW(window_, message, wParam, lParam);
  }
}

void KioskWindow::OnCommand(int id, int notification) {
  if (id == kContinueId && notification == BN_CLICKED && session_.Continue()) {
    ShowKioskMode();
  } else if (id == kCodeOkId && notification == BN_CLICKED) {
    CheckCode(prompt_.Shown() ? prompt_.CodeBox() : startup_.CodeBox());
  } else if (id == kCodeBoxId && notification == EN_CHANGE && session_.Stage() == EngineStage::Startup) {
    session_.ExtendCountdown(GetTickCount());
  } else if (id == kCodeCancelId && notification == BN_CLICKED) {
    CloseCodePrompt();
  } else if (id == kUnlockMenuItemId && notification == BN_CLICKED) {
    OpenCodePrompt();
  } else if (id == kApplicationListId && notification == LBN_SELCHANGE) {
    DesktopEntry entry;
    if (desktop_.TakeTapped(applications_.Bytes(), applications_.Size(), entry)) {
      const HANDLE process = Start(entry.launch);
      if (process != nullptr) CloseHandle(process);
    }
  }
}

void KioskWindow::OnTimer(UINT_PTR timer) {
  if (timer == kCountdownTimer) {
    if (session_.Tick(GetTickCount()))
      ShowKioskMode();
    else
      startup_.ShowSecondsLeft(session_.SecondsLeft(GetTickCount()));
  } else if (timer == kRestartTimer) {
    KillTimer(window_, kRestartTimer);
    if (mainApplication_ == nullptr) StartMainApplication();
  } else if (timer == kHoldTimer) {
    KillTimer(window_, kHoldTimer);
    desktop_.ShowUnlockMenu(window_);
  } else if (timer == kWatchdogTimer) {
    WatchForeground();
  } else if (timer == kExitWatchTimer && WaitForSingleObject(exitEvent_, 0) == WAIT_OBJECT_0) {
    // A modal loop ends on WM_QUIT and posts it again, so the engine's own
    // loop ends too and leaves kiosk mode.
    device::ClearEvent(exitEvent_);
    ExitRequested();
    PostQuitMessage(0);
  }
}

void KioskWindow::OnPaint() {
  PAINTSTRUCT paint;
  HDC target = BeginPaint(window_, &paint);
  const RECT whole = {0, 0, width_, height_};
  FillRect(target, &whole, GetSysColorBrush(COLOR_WINDOW));
  // The logo belongs to the start-up screen and the plain kiosk screen.
  if (session_.Screen() != EngineScreen::Desktop) {
    const Rect area = settings_.fitLogoToScreen ? Rect{0, 0, width_, height_} : LayOutStartupScreen(width_, height_).logo;
    logo_.Paint(target, area, settings_.fitLogoToScreen);
  }
  EndPaint(window_, &paint);
}

void KioskWindow::OnPress(int x, int y) {
  desktop_.HideUnlockMenu();
  if (session_.OffersUnlockMenu() && !prompt_.Shown() && desktop_.TitleHolds(x, y))
    SetTimer(window_, kHoldTimer, kHoldMs, nullptr);
}

// Another program's window in front (the shell's, one opened by a
// notification) is covered again; the engine's own boxes and the allowed
// applications' windows are left in front.
void KioskWindow::WatchForeground() {
  DWORD frontProcess = 0, engineProcess = 0;
  if (HWND front = GetForegroundWindow()) GetWindowThreadProcessId(front, &frontProcess);
  GetWindowThreadProcessId(window_, &engineProcess);
  if (foreground_.KioskMustComeBack(frontProcess, engineProcess)) BringToFront();
}

void KioskWindow::ShowKioskMode() {
  KillTimer(window_, kCountdownTimer);
  startup_.Hide();
  if (session_.Screen() == EngineScreen::Desktop) {
    desktop_.Show(window_, settings_, LayOutKioskDesktop(width_, height_), applications_.Bytes(),
                  applications_.Size());
    taskbar_.Hide(window_, settings_.showTaskbar || settings_.enableTaskbar, settings_.showSipIcon);
  }
  InvalidateRect(window_, nullptr, TRUE);
  RecordScreen();
  // The main application first, then every entry marked to start with kiosk mode.
  Launch main;
  bool mainFirst = kiosk_engine::MainApplication(settings_, main);
  StartupLaunches launches(settings_, applications_.Bytes(), applications_.Size());
  for (Launch launch; launches.Next(launch); mainFirst = false) {
    const HANDLE process = Start(launch);
    if (mainFirst)
      mainApplication_ = process;
    else if (process != nullptr)
      CloseHandle(process);
  }
}

void KioskWindow::StartMainApplication() {
  Launch main;
  if (kiosk_engine::MainApplication(settings_, main)) mainApplication_ = Start(main);
}

HANDLE KioskWindow::Start(const Launch& launch) {
  const StartedApplication started = StartApplication(launch);
  if (started.process == nullptr) {
    Message(EngineText::ApplicationNotFound, launch.path.Get());
    return nullptr;
  }
  foreground_.Started(started.processId);
  record_.State().launched.Add(launch.path.Get(), launch.params.Get());
  record_.Write();
  return started.process;
}

// While codes are refused, the entry is emptied unread, even a right one.
void KioskWindow::CheckCode(HWND codeBox) {
  if (const std::uint32_t seconds = wrongCodes_.SecondsToWait(GetTickCount())) {
    SetWindowTextW(codeBox, L"");
    Message(FormatText(TextOf(settings_.language, EngineText::CodesRefused), seconds).Get());
    return;
  }
  const bool right = CodeIsRight(codeBox);
  wrongCodes_.CodeChecked(right, GetTickCount());
  session_.CodeEntered(right);
  if (!right) Message(EngineText::WrongCode);
}

void KioskWindow::OpenCodePrompt() {
  desktop_.HideUnlockMenu();
  desktop_.ShowList(false);
  prompt_.Show(window_, settings_.language, LayOutCodePrompt(width_, height_));
}

void KioskWindow::CloseCodePrompt() {
  prompt_.Hide();
  desktop_.ShowList(true);
}

void KioskWindow::Message(EngineText text, const wchar_t* path) {
  const wchar_t* pattern = TextOf(settings_.language, text);
  Message(path != nullptr ? FormatText(pattern, path).Get() : pattern);
}

void KioskWindow::Message(const wchar_t* shown) {
  SetTimer(window_, kExitWatchTimer, kExitWatchMs, nullptr);
  MessageBoxW(window_, shown, TextOf(settings_.language, EngineText::KioskCaption), MB_OK | MB_ICONEXCLAMATION);
  KillTimer(window_, kExitWatchTimer);
}

void KioskWindow::RecordScreen() {
  record_.State().screen = session_.Screen();
  record_.Write();
}

}  // namespace device::kiosk_engine
