#pragma once
// What the engine starts and lists: the main application from the settings
// and the allowed applications of set.alf.
#include <cstddef>
#include <cstdint>

#include "device/kiosk_engine/core/application_list_file.h"
#include "device/kiosk_engine/core/engine_settings.h"

namespace device::kiosk_engine {

// A program to start: CreateProcessW's application name and command line.
// set.alf's 8-bit texts are taken as Windows-1252, the code page in which
// the builder writes them on a Western desktop.
struct Launch {
  SettingText path;
  SettingText params;
  // False when a text did not fit: such an entry is neither started nor
  // listed, since a cut path would start another program.
  bool Whole() const { return path.Whole() && params.Whole(); }
};

// One line of the kiosk desktop and what tapping it starts.
struct DesktopEntry {
  SettingText displayName;
  Launch launch;
};

// False when no main application is set (AppPath empty).
bool MainApplication(const EngineSettings& settings, Launch& launch);

// What starts when kiosk mode begins: the main application if one is set,
// then every set.alf entry marked to launch at start-up, in file order.
class StartupLaunches {
 public:
  StartupLaunches(const EngineSettings& settings, const char* list, std::size_t size);
  bool Next(Launch& launch);

 private:
  const EngineSettings& settings_;
  bool mainApplicationTaken_ = false;
  ApplicationListReader entries_;
};

// What the kiosk desktop lists: the set.alf entries not marked hidden, in
// file order.
class DesktopEntries {
 public:
  DesktopEntries(const char* list, std::size_t size) : entries_(list, size) {}
  bool Next(DesktopEntry& entry);

 private:
  ApplicationListReader entries_;
};

// The desktop's line at index (0 first), as DesktopEntries gives it; false
// past the last.
bool DesktopEntryAt(const char* list, std::size_t size, std::size_t index, DesktopEntry& entry);

// What happens when the main application ends: RestartDelay seconds later it
// starts again; 0 at once; kNeverRestart never.
class RestartPolicy {
 public:
  explicit RestartPolicy(std::uint16_t restartDelay) : restartDelay_(restartDelay) {}
  // True when it restarts, with the wait in milliseconds.
  bool RestartsAfter(std::uint32_t& delayMs) const;

 private:
  std::uint16_t restartDelay_;
};

}  // namespace device::kiosk_engine
