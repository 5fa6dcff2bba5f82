#pragma once
// Names and values shared by the builder, the device modules and the kiosk
// engine. Each is defined once here; every user takes it from this header.
#include <cstddef>

namespace device::engine_contract {

// One ASCII name in both widths: 8-bit for the builder's files and the C
// runtime, UTF-16 for the device's Unicode calls and the Remote API.
template <std::size_t N>
struct ContractName {
  char narrow[N]{};
  wchar_t wide[N]{};
  consteval ContractName(const char (&text)[N]) {
    for (std::size_t i = 0; i < N; ++i) {
      narrow[i] = text[i];
      wide[i] = static_cast<wchar_t>(text[i]);
    }
  }
  static constexpr std::size_t length = N - 1;
};

// Named events, manual reset, not signalled at creation. The engine holds both.
inline constexpr ContractName kExitEventName{"BC_EXIT_EVENT"};
inline constexpr ContractName kButtonEventName{"BCEBTN_EVENT"};

// The administrator code file as the device sees it (the builder writes it as
// "abce.pac" in its own folder). Only its first bytes are compared.
inline constexpr ContractName kCodeFilePath{"\\Windows\\abce.pac"};
inline constexpr ContractName kCodeFileName{"abce.pac"};
inline constexpr std::size_t kCodeCompareLength = 10;

// Package files the engine reads from its installation folder.
inline constexpr ContractName kApplicationListFileName{"set.alf"};
inline constexpr ContractName kLogoFileName{"bce_logofile"};

// The engine: its copy below the builder's folder, its name on the device and
// the argument that tells it the user accepted the reset after installation.
inline constexpr ContractName kEngineDesktopPath{"\\pocketpc\\arm\\brindlecove.exe"};
inline constexpr ContractName kEngineFileName{"Brindlecove.exe"};
inline constexpr ContractName kEngineResetArgument{"r"};

// The device manager library and its two block-mode exports.
inline constexpr ContractName kManagerLibraryName{"bcmgr"};
inline constexpr ContractName kCheckLoginExport{"CheckLogin"};
inline constexpr ContractName kExitKioskModeExport{"ExitKioskMode"};

// Where the package installer stores the configuration values (under HKLM).
inline constexpr ContractName kConfigurationRegistryRoot{"HKLM"};
inline constexpr ContractName kConfigurationRegistryKey{"Software\\Brindlecove"};

}  // namespace device::engine_contract
