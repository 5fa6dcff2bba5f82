#pragma once
#include <cstdint>

#include "builder/main_window/project_settings.h"

namespace builder::build {

// Build's refusals, in the words the window shows them and bcbuild prints them.
inline constexpr const char* kNoApplicationsText = "Please specify one or more allowed applications";
inline constexpr const char* kNegativeCountdownText = "Countdown value can only be greater than or equal to 0";
inline constexpr const char* kUnreadableLogoText = "Please enter valid path of a logo file";
inline constexpr const char* kAskAdminCodeText =
    "It is recommended to enter an administrator code.\nWould you like to enter it?";
// What a refused countdown is put back to.
inline constexpr int32_t kDefaultCountdown = 10;

// The first of Build's settings checks that the project fails, in Build's order.
enum class SettingsCheck {
  Passed,
  NegativeCountdown,
  UnreadableLogo,  // a logo is named but cannot be opened for reading
  NoAdminCode,     // a warning: Build asks, bcbuild goes on without a code
};
SettingsCheck CheckSettings(const main_window::ProjectSettings& settings);

}  // namespace builder::build
