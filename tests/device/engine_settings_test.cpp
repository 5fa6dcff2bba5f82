// The engine's configuration values and its texts.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "device/kiosk_engine/core/engine_settings.h"

namespace {

using namespace device::kiosk_engine;

using Bytes = std::vector<unsigned char>;

// A registry key as a table of values.
class TableValues final : public SettingValues {
 public:
  std::map<std::wstring, std::pair<unsigned long, Bytes>> values;

  bool Read(const wchar_t* name, unsigned long& type, unsigned char* data, unsigned long& size) override {
    const auto found = values.find(name);
    if (found == values.end() || found->second.second.size() > size) return false;
    type = found->second.first;
    size = static_cast<unsigned long>(found->second.second.size());
    std::copy(found->second.second.begin(), found->second.second.end(), data);
    return true;
  }
  void Set(Setting setting, unsigned long type, Bytes data) { values[SettingValueName(setting)] = {type, data}; }
};

Bytes Number(std::uint32_t value) {
  return {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
          static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
}

Bytes Utf16(const std::u16string& text) {
  Bytes bytes;
  for (char16_t unit : text) {
    bytes.push_back(static_cast<unsigned char>(unit));
    bytes.push_back(static_cast<unsigned char>(unit >> 8));
  }
  return bytes;
}

EngineSettings Read(TableValues& values) { return ReadEngineSettings(values); }

// Each flag with its field and New Project's value.
struct Flag {
  Setting setting;
  bool EngineSettings::*field;
  bool missing;
};
const std::vector<Flag> kFlags = {
    {Setting::DisableActiveSync, &EngineSettings::disableActiveSync, false},
    {Setting::DisableHardButtons, &EngineSettings::disableHardButtons, false},
    {Setting::EnableKioskDesktop, &EngineSettings::enableKioskDesktop, false},
    {Setting::UnlockOnTitleTap, &EngineSettings::unlockOnTitleTap, false},
    {Setting::ShowSipIcon, &EngineSettings::showSipIcon, false},
    {Setting::EnableTaskbar, &EngineSettings::enableTaskbar, false},
    {Setting::ShowTaskbar, &EngineSettings::showTaskbar, false},
    {Setting::ShowVersion, &EngineSettings::showVersion, true},
    {Setting::DisableContinueButton, &EngineSettings::disableContinueButton, false},
    {Setting::ShowLogo, &EngineSettings::showLogo, false},
    {Setting::FitLogoToScreen, &EngineSettings::fitLogoToScreen, false},
};

// The numbers as read, flags as 0 or 1, the two counts as they are.
std::vector<std::uint32_t> Numbers(const EngineSettings& settings) {
  std::vector<std::uint32_t> numbers = {settings.appCountdown, settings.restartDelay};
  for (const Flag& flag : kFlags) numbers.push_back(settings.*flag.field);
  return numbers;
}

// A value that would change its setting, in a form that does not count.
TEST(EngineSettings, MissingWrongTypeOrSizeGiveTheDefault) {
  TableValues none;
  const EngineSettings defaults = Read(none);
  EXPECT_EQ(std::wstring(defaults.appPath.Get()), L"");
  EXPECT_EQ(defaults.language, Language::English);
  EXPECT_EQ(Numbers(defaults), (std::vector<std::uint32_t>{10, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0}));
  for (int i = 0; i < static_cast<int>(Setting::Count); ++i) {
    if (SettingValueType(static_cast<Setting>(i)) != kRegistryNumber) continue;
    for (const unsigned char number : {0, 2}) {
      for (const auto& [type, data] : std::vector<std::pair<unsigned long, Bytes>>{
               {kRegistryText, Number(number)}, {3, Number(number)}, {kRegistryNumber, {number, 0, 0}},
               {kRegistryNumber, {number, 0, 0, 0, 0}}, {kRegistryNumber, {}}}) {
        TableValues values;
        values.Set(static_cast<Setting>(i), type, data);
        EXPECT_EQ(Numbers(Read(values)), Numbers(defaults)) << i << " type " << type << " size " << data.size();
      }
    }
  }
}

TEST(EngineSettings, FlagsAreOnForAnyNonZeroNumber) {
  for (const Flag& flag : kFlags) {
    for (const auto& [stored, on] : std::vector<std::pair<std::uint32_t, bool>>{
             {0, false}, {1, true}, {9, true}, {0x100, true}, {0x80000000u, true}}) {
      TableValues values;
      values.Set(flag.setting, kRegistryNumber, Number(stored));
      EXPECT_EQ(Read(values).*flag.field, on) << SettingValueName(flag.setting) << " " << stored;
    }
  }
}

TEST(EngineSettings, NumbersAndTheRestartDelaysLow16Bits) {
  for (const auto& [setting, stored, expected] : std::vector<std::tuple<Setting, std::uint32_t, std::uint32_t>>{
           {Setting::AppCountdown, 0, 0}, {Setting::AppCountdown, 1, 1}, {Setting::AppCountdown, 0x12345678, 0x12345678},
           {Setting::RestartDelay, 0, 0}, {Setting::RestartDelay, 65534, 65534}, {Setting::RestartDelay, 65535, 65535},
           {Setting::RestartDelay, 0xFFFFFFFFu, 65535}, {Setting::RestartDelay, 0x10005, 5}}) {
    TableValues values;
    values.Set(setting, kRegistryNumber, Number(stored));
    const EngineSettings settings = Read(values);
    EXPECT_EQ(setting == Setting::AppCountdown ? settings.appCountdown : settings.restartDelay, expected) << stored;
  }
}

TEST(EngineSettings, TextsEndAtTheirNulOrTheirDataAndMustFit) {
  const std::u16string longest(kSettingTextSize - 1, u'x');
  for (const auto& [data, expected] : std::vector<std::pair<Bytes, std::wstring>>{
           {Utf16(u"\\windows\\pword.exe"), L"\\windows\\pword.exe"},
           {Utf16(std::u16string(u"ab\0cd", 5)), L"ab"},
           {Utf16(u"ab\0"), L"ab"},
           {{'a', 0, 'b'}, L"a"},
           {{}, L""},
           {Utf16(u"\u00e9\u20ac"), L"\u00e9\u20ac"},
           {Utf16(longest), std::wstring(longest.begin(), longest.end())},
           {Utf16(longest + u'\0'), std::wstring(longest.begin(), longest.end())},
           {Utf16(longest + u'x'), L""}}) {
    for (Setting setting : {Setting::AppPath, Setting::AppParams, Setting::KioskDesktopTitle}) {
      TableValues values;
      values.Set(setting, kRegistryText, data);
      const EngineSettings settings = Read(values);
      const SettingText& text = setting == Setting::AppPath     ? settings.appPath
                                : setting == Setting::AppParams ? settings.appParams
                                                                : settings.kioskDesktopTitle;
      EXPECT_EQ(std::wstring(text.Get()), expected) << data.size();
    }
  }
  TableValues wrongType;
  wrongType.Set(Setting::AppPath, kRegistryNumber, Utf16(u"ab"));
  EXPECT_EQ(std::wstring(Read(wrongType).appPath.Get()), L"");
}

TEST(EngineSettings, LanguageByNameElseEnglish) {
  for (const auto& [name, language] : std::vector<std::pair<std::u16string, Language>>{
           {u"english", Language::English}, {u"spanish", Language::Spanish}, {u"brazilian", Language::Brazilian},
           {u"Spanish", Language::Spanish}, {u"BRAZILIAN", Language::Brazilian}, {u"portuguese", Language::English},
           {u"spanishx", Language::English}, {u"spanis", Language::English}, {u"", Language::English}}) {
    TableValues values;
    values.Set(Setting::Language, kRegistryText, Utf16(name));
    EXPECT_EQ(Read(values).language, language) << std::string(name.begin(), name.end());
  }
  TableValues number;
  number.Set(Setting::Language, kRegistryNumber, Number(1));
  EXPECT_EQ(Read(number).language, Language::English);
}

// The names and types are those that the setup template stores.
TEST(EngineSettings, ValueTableMatchesTheSetupTemplate) {
  std::ifstream file(BC_SOURCE_DIR "/builder/build/shipped/setup_tmpl.inf");
  ASSERT_TRUE(file);
  std::vector<std::pair<std::wstring, unsigned long>> stored;
  bool inSection = false;
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line[0] == '[') inSection = line.rfind("[Reg.Configuration]", 0) == 0;
    if (!inSection || line.rfind("HKLM,", 0) != 0) continue;
    std::stringstream fields(line);
    std::string root, key, name, flags;
    std::getline(fields, root, ',');
    std::getline(fields, key, ',');
    std::getline(fields, name, ',');
    fields >> flags;
    name.erase(0, name.find_first_not_of(' '));
    stored.emplace_back(std::wstring(name.begin(), name.end()),
                        flags == "0x00010001," ? kRegistryNumber : flags == "0x00000000," ? kRegistryText : 0);
  }
  ASSERT_EQ(stored.size(), static_cast<std::size_t>(Setting::Count));
  for (std::size_t i = 0; i < stored.size(); ++i) {
    EXPECT_EQ(SettingValueName(static_cast<Setting>(i)), stored[i].first) << i;
    EXPECT_EQ(SettingValueType(static_cast<Setting>(i)), stored[i].second) << i;
  }
  EXPECT_EQ(SettingValueName(Setting::Count), nullptr);
  EXPECT_EQ(SettingValueType(Setting::Count), 0u);
}

}  // namespace
