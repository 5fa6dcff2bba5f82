#pragma once
// The kiosk window: one top-level window that covers the screen, whose
// screens are the start-up screen, the kiosk desktop (or a plain kiosk
// screen) and the code prompt. It draws and forwards; the core decides.
#include <windows.h>

#include "device/kiosk_engine/code_prompt.h"
#include "device/kiosk_engine/core/engine_session.h"
#include "device/kiosk_engine/core/engine_settings.h"
#include "device/kiosk_engine/core/foreground_watch.h"
#include "device/kiosk_engine/core/wrong_code_guard.h"
#include "device/kiosk_engine/engine_files.h"
#include "device/kiosk_engine/engine_record.h"
#include "device/kiosk_engine/hardware_buttons.h"
#include "device/kiosk_engine/kiosk_desktop.h"
#include "device/kiosk_engine/logo.h"
#include "device/kiosk_engine/startup_screen.h"
#include "device/kiosk_engine/taskbar.h"

namespace device::kiosk_engine {

class KioskWindow {
 public:
  // The logo is read only when the settings show it.
  KioskWindow(HINSTANCE instance, const EngineSettings& settings, const FileContent& applications,
              const wchar_t* logoPath, HANDLE exitEvent, EngineRecord& record);
  KioskWindow(const KioskWindow&) = delete;
  KioskWindow& operator=(const KioskWindow&) = delete;

  // Shows the window and its first screen; false when it cannot be made.
  bool Open();
  // Shows the taskbar again, stops the timers and closes the window. The
  // applications it started keep running.
  void Close();

  bool InKioskMode() const { return session_.Stage() != EngineStage::Left; }
  // The main application's process while it runs, for the engine's wait.
  HANDLE MainApplication() const { return mainApplication_; }

  // BC_EXIT_EVENT was set (and reset).
  void ExitRequested();
  // The button program: the kiosk's Home key.
  void BringToFront();
  void MainApplicationEnded();

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(int id, int notification);
  void OnTimer(UINT_PTR timer);
  void OnPaint();
  void OnPress(int x, int y);
  void WatchForeground();

  void ShowKioskMode();
  void StartMainApplication();
  HANDLE Start(const Launch& launch);
  void CheckCode(HWND codeBox);
  void OpenCodePrompt();
  void CloseCodePrompt();
  void Message(EngineText text, const wchar_t* path = nullptr);
  void Message(const wchar_t* shown);
  void RecordScreen();

  HINSTANCE instance_;
  const EngineSettings& settings_;
  const FileContent& applications_;
  HANDLE exitEvent_;
  EngineRecord& record_;
  EngineSession session_;
  Logo logo_;
  Taskbar taskbar_;
  HardwareButtons buttons_;
  int width_ = 0;
  int height_ = 0;
  HWND window_ = nullptr;
  StartupScreen startup_;
  KioskDesktop desktop_;
  CodePrompt prompt_;
  WrongCodeGuard wrongCodes_;
  ForegroundWatch foreground_;
  HANDLE mainApplication_ = nullptr;
};

}  // namespace device::kiosk_engine
