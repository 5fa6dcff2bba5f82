#include "standins/kiosk_engine/kiosk_window.h"

namespace standins::kiosk_engine {

namespace {

constexpr int kMargin = 8;
constexpr int kStatusHeight = 24;

void RegisterKioskClass(HINSTANCE instance) {
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kKioskWindowClass;
  RegisterClassW(&windowClass);
}

HWND CreateChild(HWND parent, const wchar_t* className, DWORD style, int id, int top, int height) {
  RECT client;
  GetClientRect(parent, &client);
  return CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | style, kMargin, top,
                         client.right - 2 * kMargin, height, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

// set.alf holds the builder's 8-bit texts.
void AddLine(HWND list, const ApplicationDescription& line) {
  wchar_t wide[kDescriptionSize];
  if (MultiByteToWideChar(CP_ACP, 0, line.Get(), -1, wide, kDescriptionSize) > 0)
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide));
}

// False once the window's thread has been asked to quit.
bool PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) return false;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return true;
}

}  // namespace

HWND OpenKioskWindow(HINSTANCE instance, ApplicationListReader applications) {
  RegisterKioskClass(instance);
  HWND window = CreateWindowExW(0, kKioskWindowClass, kKioskWindowTitle, WS_POPUP | WS_VISIBLE, 0, 0,
                                GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                instance, nullptr);
  RECT client;
  GetClientRect(window, &client);
  CreateChild(window, L"STATIC", SS_LEFT, kStatusId, kMargin, kStatusHeight);
  const int listTop = 2 * kMargin + kStatusHeight;
  HWND list = CreateChild(window, L"LISTBOX", WS_BORDER | WS_VSCROLL, kApplicationListId, listTop,
                          client.bottom - listTop - kMargin);
  for (AllowedApplication application; applications.Next(application);) AddLine(list, DescribeApplication(application));
  return window;
}

void ShowEngineState(HWND window, const EngineState& state) {
  SetDlgItemTextW(window, kStatusId, DescribeEngineState(state).Get());
}

void CloseKioskWindow(HWND window) { DestroyWindow(window); }

EngineEvent WaitForEngineEvent(HANDLE exitEvent, HANDLE buttonEvent) {
  const HANDLE events[] = {exitEvent, buttonEvent};
  for (;;) {
    if (!PumpMessages()) return EngineEvent::Quit;
    const DWORD woken = MsgWaitForMultipleObjects(2, events, FALSE, INFINITE, QS_ALLINPUT);
    if (woken == WAIT_OBJECT_0) return EngineEvent::Exit;
    if (woken == WAIT_OBJECT_0 + 1) return EngineEvent::Button;
  }
}

}  // namespace standins::kiosk_engine
