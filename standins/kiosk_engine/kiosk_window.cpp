#include "standins/kiosk_engine/kiosk_window.h"

#include <string>

#include "support/text.h"

namespace standins::kiosk_engine {

namespace {

// set.alf holds the builder's 8-bit texts.
using support::Widen;

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

}  // namespace

KioskWindow::KioskWindow(HINSTANCE instance, const std::vector<AllowedApplication>& applications) {
  RegisterKioskClass(instance);
  hwnd_ = CreateWindowExW(0, kKioskWindowClass, kKioskWindowTitle, WS_POPUP | WS_VISIBLE, 0, 0,
                          GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, instance,
                          nullptr);
  RECT client;
  GetClientRect(hwnd_, &client);
  CreateChild(hwnd_, L"STATIC", SS_LEFT, kStatusId, kMargin, kStatusHeight);
  const int listTop = 2 * kMargin + kStatusHeight;
  HWND list = CreateChild(hwnd_, L"LISTBOX", WS_BORDER | WS_VSCROLL, kApplicationListId, listTop,
                          client.bottom - listTop - kMargin);
  for (const AllowedApplication& application : applications) {
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(DescribeApplication(application)).c_str()));
  }
}

KioskWindow::~KioskWindow() { DestroyWindow(hwnd_); }

void KioskWindow::ShowState(const EngineState& state) {
  SetDlgItemTextW(hwnd_, kStatusId, DescribeEngineState(state).c_str());
}

}  // namespace standins::kiosk_engine
