#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace builder::main_window {

inline constexpr const char* kTitlePlaceholder = "[Enter Desktop Title Text here]";
inline constexpr const char* kStartupMainApplicationPath = "\\windows\\pword.exe";
inline constexpr const char* kUntitledName = "Untitled";
inline constexpr std::array<const char*, 3> kLanguageTable = {"English", "Spanish", "Brazilian"};
inline constexpr size_t kAdminCodeDigits = 10;
inline constexpr int kTitleMaxChars = 50;

// The application the engine runs as its main one; only project files set it.
struct MainApplication {
  std::string path;
  std::string params;
};

// The kiosk options and identity of the open project. Each member bears the
// name of its project-file key. The language is the combo box's selection.
struct ProjectSettings {
  std::string name = kUntitledName;
  std::string projectfilepath;
  MainApplication mainapplication;
  std::string admincode;
  int32_t startuptimer = 10;
  int32_t enablekioskdesktop = 0;
  std::string kioskdesktoptitletext;
  int32_t enabletaskbarinkioskdesktop = 0;
  int32_t showsipiconinkioskdesktop = 0;
  int32_t unlockontitletap = 0;
  int32_t restartdelay = 0;
  std::string logo;
  int32_t fitlogotoscreen = 0;
  int32_t showversion = 1;
  int32_t disablecontinuebutton = 0;
  int32_t disablehardwarebuttons = 0;
  int32_t showtaskbar = 0;
  int32_t disableactivesyncconnection = 0;

  // The values of a new project.
  void ResetForNewProject() { *this = ProjectSettings{}; }
};

// The entry of the language table that a project file's language names,
// compared without regard to case; the first entry when none does.
size_t LanguageIndex(std::string_view name);

// The administrator code keypad: a digit is appended while fewer than ten are held.
void AppendKeypadDigit(std::string& admincode, char digit);

}  // namespace builder::main_window
