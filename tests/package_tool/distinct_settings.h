#pragma once
// A project in which every setting has a value of its own, and the shipped
// template filled from it by Build's own substitution list: a value stored
// under the wrong name shows in the package.
#include <string>
#include <string_view>

#include "builder/build/core/setup_substitutions.h"
#include "builder/build/core/setup_template.h"

namespace package_tool_test {

inline builder::main_window::ProjectSettings DistinctSettings(bool withLogo) {
  builder::main_window::ProjectSettings settings;
  settings.mainapplication = {"\\Windows\\pword.exe", "-f 50% off"};
  settings.startuptimer = 15;
  settings.disableactivesyncconnection = 1;
  settings.disablehardwarebuttons = 11;  // written as 9
  settings.enablekioskdesktop = 2;
  settings.kioskdesktoptitletext = "[Enter Desktop Title Text here]";
  settings.unlockontitletap = 3;
  settings.showsipiconinkioskdesktop = 4;
  settings.enabletaskbarinkioskdesktop = 5;
  settings.showtaskbar = 6;
  settings.showversion = 7;
  settings.disablecontinuebutton = 8;
  settings.restartdelay = -1;  // written as 65535
  settings.fitlogotoscreen = 10;
  if (withLogo) settings.logo = "C:\\Logos\\shop.bmp";
  return settings;
}

inline constexpr const char* kDistinctLanguage = "Brazilian";

// The text Build writes (in text mode) into setup.inf.
inline std::string FilledTemplate(std::string_view templateBytes, bool withLogo) {
  return builder::build::FillSetupTemplate(
      templateBytes, builder::build::SetupSubstitutions(DistinctSettings(withLogo), kDistinctLanguage));
}

}  // namespace package_tool_test
