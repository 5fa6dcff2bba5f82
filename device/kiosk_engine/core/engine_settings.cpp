#include "device/kiosk_engine/core/engine_settings.h"

namespace device::kiosk_engine {

namespace {

struct SettingValue {
  const wchar_t* name;
  unsigned long type;
};

// In Setting's order: the names and types of [Reg.Configuration] in
// setup_tmpl.inf (0x00000000 a text, 0x00010001 a number).
constexpr SettingValue kSettingValues[] = {
    {L"AppPath", kRegistryText},
    {L"AppParams", kRegistryText},
    {L"AppCountdown", kRegistryNumber},
    {L"DisableActiveSync", kRegistryNumber},
    {L"DisableHardButtons", kRegistryNumber},
    {L"EnableKioskDesktop", kRegistryNumber},
    {L"KioskDesktopTitle", kRegistryText},
    {L"UnlockOnTitleTap", kRegistryNumber},
    {L"ShowSipIcon", kRegistryNumber},
    {L"EnableTaskbar", kRegistryNumber},
    {L"ShowTaskbar", kRegistryNumber},
    {L"ShowVersion", kRegistryNumber},
    {L"DisableContinueButton", kRegistryNumber},
    {L"RestartDelay", kRegistryNumber},
    {L"Language", kRegistryText},
    {L"ShowLogo", kRegistryNumber},
    {L"FitLogoToScreen", kRegistryNumber},
};
static_assert(sizeof kSettingValues / sizeof kSettingValues[0] == static_cast<unsigned>(Setting::Count));

constexpr unsigned long kNumberSize = 4;

bool ReadValue(SettingValues& values, Setting setting, unsigned char* data, unsigned long& size) {
  unsigned long type = 0;
  return values.Read(SettingValueName(setting), type, data, size) && type == SettingValueType(setting);
}

// The number's bytes are little-endian whatever the host's int is.
std::uint32_t ReadNumber(SettingValues& values, Setting setting, std::uint32_t missing) {
  unsigned char data[kNumberSize] = {};
  unsigned long size = kNumberSize;
  if (!ReadValue(values, setting, data, size) || size != kNumberSize) return missing;
  return data[0] | data[1] << 8 | data[2] << 16 | static_cast<std::uint32_t>(data[3]) << 24;
}

bool ReadFlag(SettingValues& values, Setting setting) { return ReadNumber(values, setting, 0) != 0; }

// UTF-16LE code units, so that the text is read alike where wchar_t is wider.
SettingText ReadText(SettingValues& values, Setting setting) {
  unsigned char data[kSettingTextSize * 2] = {};
  unsigned long size = sizeof data;
  if (!ReadValue(values, setting, data, size) || size > sizeof data) return {};
  SettingText text;
  for (unsigned long i = 0; i + 1 < size; i += 2) {
    const wchar_t unit = static_cast<wchar_t>(data[i] | data[i + 1] << 8);
    if (unit == L'\0') break;
    text.Append(&unit, 1);
  }
  return text.Whole() ? text : SettingText{};
}

bool SameLetters(const wchar_t* text, const wchar_t* lowerCase) {
  for (; *lowerCase != L'\0'; ++text, ++lowerCase) {
    const wchar_t c = (*text >= L'A' && *text <= L'Z') ? static_cast<wchar_t>(*text - L'A' + L'a') : *text;
    if (c != *lowerCase) return false;
  }
  return *text == L'\0';
}

Language ReadLanguage(SettingValues& values) {
  const SettingText name = ReadText(values, Setting::Language);
  if (SameLetters(name.Get(), L"spanish")) return Language::Spanish;
  if (SameLetters(name.Get(), L"brazilian")) return Language::Brazilian;
  return Language::English;
}

}  // namespace

const wchar_t* SettingValueName(Setting setting) {
  const unsigned index = static_cast<unsigned>(setting);
  return index < static_cast<unsigned>(Setting::Count) ? kSettingValues[index].name : nullptr;
}

unsigned long SettingValueType(Setting setting) {
  const unsigned index = static_cast<unsigned>(setting);
  return index < static_cast<unsigned>(Setting::Count) ? kSettingValues[index].type : 0;
}

EngineSettings ReadEngineSettings(SettingValues& values) {
  // A missing number keeps the field's own default.
  EngineSettings settings;
  settings.appPath = ReadText(values, Setting::AppPath);
  settings.appParams = ReadText(values, Setting::AppParams);
  settings.appCountdown = ReadNumber(values, Setting::AppCountdown, settings.appCountdown);
  settings.disableActiveSync = ReadFlag(values, Setting::DisableActiveSync);
  settings.disableHardButtons = ReadFlag(values, Setting::DisableHardButtons);
  settings.enableKioskDesktop = ReadFlag(values, Setting::EnableKioskDesktop);
  settings.kioskDesktopTitle = ReadText(values, Setting::KioskDesktopTitle);
  settings.unlockOnTitleTap = ReadFlag(values, Setting::UnlockOnTitleTap);
  settings.showSipIcon = ReadFlag(values, Setting::ShowSipIcon);
  settings.enableTaskbar = ReadFlag(values, Setting::EnableTaskbar);
  settings.showTaskbar = ReadFlag(values, Setting::ShowTaskbar);
  settings.showVersion = ReadNumber(values, Setting::ShowVersion, settings.showVersion) != 0;
  settings.disableContinueButton = ReadFlag(values, Setting::DisableContinueButton);
  settings.restartDelay = static_cast<std::uint16_t>(ReadNumber(values, Setting::RestartDelay, settings.restartDelay));
  settings.language = ReadLanguage(values);
  settings.showLogo = ReadFlag(values, Setting::ShowLogo);
  settings.fitLogoToScreen = ReadFlag(values, Setting::FitLogoToScreen);
  return settings;
}

}  // namespace device::kiosk_engine
