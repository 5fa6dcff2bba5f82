#include "builder/build/core/setup_substitutions.h"

#include <cstdint>
#include <string>

#include "builder/project/application_list.h"
#include "device/engine_contract/engine_contract.h"
#include "framework/integer_text.h"

namespace builder::build {

namespace engine_contract = ::device::engine_contract;

namespace {

std::string Decimal(int32_t value) { return framework::FormatDecimal(value); }

// The engine takes the delay as a 16-bit word: -1 becomes 65535.
std::string RestartDelayText(int32_t seconds) {
  return std::to_string(static_cast<uint16_t>(static_cast<uint32_t>(seconds) & 0xFFFFu));
}

}  // namespace

SetupSubstitutionList SetupSubstitutions(const main_window::ProjectSettings& settings, std::string_view languageName) {
  const bool hasLogo = !settings.logo.empty();
  const std::string logoFile = engine_contract::kLogoFileName.narrow;
  SetupSubstitutionList list = {
      {"APPLICATION_PATH", settings.mainapplication.path},
      {"APPLICATION_PARAMS", settings.mainapplication.params},
      {"APPLICATION_COUNTDOWN", Decimal(settings.startuptimer)},
      {"DISABLE_ACTIVESYNC_CONNECTION", Decimal(settings.disableactivesyncconnection)},
      // The engine's code for "all hardware buttons".
      {"DISABLE_HARDBUTTONS", settings.disablehardwarebuttons != 0 ? "9" : "0"},
      {"ENABLE_KIOSKDESKTOP", Decimal(settings.enablekioskdesktop)},
      {"KIOSK_DESKTOP_TITLE_TEXT", settings.kioskdesktoptitletext},
      {"UNLOCK_ON_TAP_IN_KIOSKDESKTOP", Decimal(settings.unlockontitletap)},
      {"SHOWSIPICON_IN_KIOSKDESKTOP", Decimal(settings.showsipiconinkioskdesktop)},
      {"ENABLETASKBAR_IN_KIOSKDESKTOP", Decimal(settings.enabletaskbarinkioskdesktop)},
      {"SHOWTASKBAR", Decimal(settings.showtaskbar)},
      {"SHOWVERSION", Decimal(settings.showversion)},
      {"DISABLE_CONTINUE_BUTTON", Decimal(settings.disablecontinuebutton)},
      {"TARGET_APP_RESTART_DELAY", RestartDelayText(settings.restartdelay)},
      {"LANGUAGE_TO_BE_USED", project::LowerAnsi(std::string(languageName))},
  };
  if (!hasLogo) {
    // The source-disk entry first, so that no "=2" is left behind.
    list.push_back({logoFile + "=2", ""});
    list.push_back({logoFile, ""});
  }
  list.push_back({"SHOW_LOGO", hasLogo ? "1" : "0"});
  list.push_back({"FIT_LOGO_TO_SCREEN", Decimal(settings.fitlogotoscreen)});
  return list;
}

}  // namespace builder::build
