#include "device/kiosk_engine/core/launch_plan.h"

namespace device::kiosk_engine {

namespace {

// Windows-1252's bytes 0x80 to 0x9F; its other bytes are their own code
// points. The five bytes that the code page leaves undefined keep their value,
// as MultiByteToWideChar does.
constexpr wchar_t kWindows1252From80[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

SettingText Widen(const TextSpan& span) {
  SettingText text;
  for (std::size_t i = 0; i < span.size; ++i) {
    const unsigned char byte = static_cast<unsigned char>(span.text[i]);
    const wchar_t unit = byte >= 0x80 && byte <= 0x9F ? kWindows1252From80[byte - 0x80] : static_cast<wchar_t>(byte);
    text.Append(&unit, 1);
  }
  return text;
}

Launch LaunchOf(const AllowedApplication& application) {
  return {Widen(application.path), Widen(application.params)};
}

}  // namespace

bool MainApplication(const EngineSettings& settings, Launch& launch) {
  if (settings.appPath.Size() == 0) return false;
  launch = {settings.appPath, settings.appParams};
  return true;
}

StartupLaunches::StartupLaunches(const EngineSettings& settings, const char* list, std::size_t size)
    : settings_(settings), entries_(list, size) {}

bool StartupLaunches::Next(Launch& launch) {
  if (!mainApplicationTaken_) {
    mainApplicationTaken_ = true;
    if (MainApplication(settings_, launch)) return true;
  }
  for (AllowedApplication application; entries_.Next(application);) {
    if (!application.autolaunch) continue;
    launch = LaunchOf(application);
    if (launch.Whole()) return true;
  }
  return false;
}

bool DesktopEntries::Next(DesktopEntry& entry) {
  for (AllowedApplication application; entries_.Next(application);) {
    if (application.hideInKioskDesktop) continue;
    entry = {Widen(application.displayName), LaunchOf(application)};
    if (entry.launch.Whole()) return true;
  }
  return false;
}

bool DesktopEntryAt(const char* list, std::size_t size, std::size_t index, DesktopEntry& entry) {
  DesktopEntries entries(list, size);
  for (std::size_t i = 0; entries.Next(entry); ++i) {
    if (i == index) return true;
  }
  return false;
}

bool RestartPolicy::RestartsAfter(std::uint32_t& delayMs) const {
  if (restartDelay_ == kNeverRestart) return false;
  delayMs = restartDelay_ * 1000u;
  return true;
}

}  // namespace device::kiosk_engine
