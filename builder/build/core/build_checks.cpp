#include "builder/build/core/build_checks.h"

#include "builder/build/core/text_file.h"

namespace builder::build {

SettingsCheck CheckSettings(const main_window::ProjectSettings& settings) {
  if (settings.startuptimer < 0) return SettingsCheck::NegativeCountdown;
  if (!settings.logo.empty() && !FileIsReadable(settings.logo)) return SettingsCheck::UnreadableLogo;
  if (settings.admincode.empty()) return SettingsCheck::NoAdminCode;
  return SettingsCheck::Passed;
}

}  // namespace builder::build
