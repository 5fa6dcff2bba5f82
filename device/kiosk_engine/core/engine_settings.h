#pragma once
// The engine's configuration: the values that the package installer stores
// under HKLM\Software\Brindlecove from the setup substitution list.
#include <cstddef>
#include <cstdint>

#include "device/kiosk_engine/core/engine_texts.h"
#include "device/kiosk_engine/core/fixed_text.h"

namespace device::kiosk_engine {

// The registry's value types, as RegQueryValueExW reports them.
inline constexpr unsigned long kRegistryText = 1;    // REG_SZ
inline constexpr unsigned long kRegistryNumber = 4;  // REG_DWORD, little-endian

// The configuration values, one per entry of the table of names.
enum class Setting {
  AppPath,
  AppParams,
  AppCountdown,
  DisableActiveSync,
  DisableHardButtons,
  EnableKioskDesktop,
  KioskDesktopTitle,
  UnlockOnTitleTap,
  ShowSipIcon,
  EnableTaskbar,
  ShowTaskbar,
  ShowVersion,
  DisableContinueButton,
  RestartDelay,
  Language,
  ShowLogo,
  FitLogoToScreen,
  Count
};

// The registry value's name ("AppPath", ...) and its type (kRegistryText or
// kRegistryNumber); null and 0 for an out-of-range value.
const wchar_t* SettingValueName(Setting setting);
unsigned long SettingValueType(Setting setting);

// A text value: MAX_PATH code units with the terminating NUL.
inline constexpr std::size_t kSettingTextSize = 260;
using SettingText = FixedText<wchar_t, kSettingTextSize>;

// RestartDelay's value that stands for the setting -1: the low 16 bits of -1.
inline constexpr std::uint16_t kNeverRestart = 65535;

// Each field starts at the value that New Project gives its setting, which a
// missing value keeps. Flags are on for any non-zero number
// (DisableHardButtons is written as 9).
struct EngineSettings {
  SettingText appPath;
  SettingText appParams;
  std::uint32_t appCountdown = 10;  // seconds of the start-up screen; 0: none
  bool disableActiveSync = false;
  bool disableHardButtons = false;
  bool enableKioskDesktop = false;
  SettingText kioskDesktopTitle;
  bool unlockOnTitleTap = false;
  bool showSipIcon = false;
  bool enableTaskbar = false;
  bool showTaskbar = false;
  bool showVersion = true;
  bool disableContinueButton = false;
  std::uint16_t restartDelay = 0;  // seconds; kNeverRestart: never
  Language language = Language::English;
  bool showLogo = false;
  bool fitLogoToScreen = false;
};

// Where the values come from: the program reads the registry, tests a table.
class SettingValues {
 public:
  // Reads the value's type and data into data, whose capacity size gives in
  // bytes; size is then the data's length. False when the value is missing
  // or its data does not fit (as RegQueryValueExW's ERROR_MORE_DATA).
  virtual bool Read(const wchar_t* name, unsigned long& type, unsigned char* data, unsigned long& size) = 0;

 protected:
  ~SettingValues() = default;
};

// A value of the wrong type or size counts as missing: a number must be 4
// bytes; a text is UTF-16LE up to its first NUL or its end (an odd last byte
// is dropped), and one that does not fit SettingText counts as missing
// rather than being cut, so that a cut path never starts another program.
// Language is "english", "spanish" or "brazilian" in any case; any other
// text gives English. RestartDelay keeps the number's low 16 bits.
EngineSettings ReadEngineSettings(SettingValues& values);

}  // namespace device::kiosk_engine
