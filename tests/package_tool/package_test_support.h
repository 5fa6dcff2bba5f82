#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <set>
#include <string>
#include <utility>

#include "package_tool/install_model_builder.h"
#include "package_tool/package_error.h"

namespace package_tool_test {

// The message of the Error that action throws, or "(no error)".
template <class Error = package_tool::PackageError, class Action>
std::string MessageOf(Action&& action) {
  try {
    action();
  } catch (const Error& error) {
    return error.what();
  }
  return "(no error)";
}

// A small but complete setup information file; its sources are the files of kSampleSources.
inline constexpr const char* kSampleInf = R"INF([Version]
Signature = "$Windows NT$"
Provider = "Maker"
CESignature = "$Windows CE$"

[CEStrings]
AppName = "Sample"
InstallDir = %CE1%\%AppName%

[Strings]
KeyPath = Software\Sample

[CEDevice]
VersionMin = 4.20
BuildMax = 0xE0000000
UnsupportedPlatforms = "HPC", "Jupiter"

[CEDevice.PPC_ARM]
ProcessorType = 2577

[DefaultInstall]
CopyFiles = Files.App, Files.Windows
AddReg = Reg.Settings
CEShortcuts = Links
CESetupDLL = Hook.dll

[SourceDisksNames]
1 = ,"Device",,bin\arm
2 = ,"Here",,.

[SourceDisksFiles]
engine.exe = 1
Hook.dll = 1
helper.dll = 1
data file.txt = 2

[DestinationDirs]
Files.Windows = 0, %CE2%
Links = 0, %CE11%
DefaultDestDir = 0, %InstallDir%

[Files.App]
Sample.exe, engine.exe, , 0x40000000
data file.txt

[Files.Windows]
helper.dll

[Reg.Settings]
HKLM, %KeyPath%, Title, 0x00000000, "Hello, %AppName%"
HKLM, %KeyPath%, Count, 0x00010001, 0x2A
HKCU, %KeyPath%\Sub, Folder, 0x00000002, "%InstallDir%\data"
HKLM, %KeyPath%, List, 0x00010000, "one", "two"
HKLM, %KeyPath%, Blob, 0x00000001, 0a, FF

[Links]
Sample, 0, Sample.exe
Sample folder, 1, %InstallDir%, %CE3%
)INF";

inline const std::set<std::string> kSampleSources = {"bin\\arm\\engine.exe", "bin\\arm\\Hook.dll",
                                                     "bin\\arm\\helper.dll", "data file.txt"};

inline package_tool::FileProbe ProbeOf(const std::set<std::string>& present) {
  return [present](const std::string& path) { return present.contains(path); };
}

// The sample setup information file with each edit applied once.
class EditedSample {
 public:
  EditedSample(std::initializer_list<std::pair<std::string, std::string>> edits) : text_(kSampleInf) {
    for (const auto& [from, to] : edits) {
      const size_t at = text_.find(from);
      EXPECT_NE(at, std::string::npos) << from;
      if (at != std::string::npos) text_.replace(at, from.size(), to);
    }
  }

  package_tool::InstallModel Build(const std::string& target = "PPC_ARM") const {
    return package_tool::BuildInstallModel(package_tool::InfFile::Parse(text_, "s.inf"), target,
                                           ProbeOf(kSampleSources));
  }

  // The build's message, expected to name the line holding needle.
  void ExpectError(const std::string& needle, const std::string& message) const {
    const size_t at = text_.find(needle);
    ASSERT_NE(at, std::string::npos) << needle;
    const auto line = 1 + std::count(text_.begin(), text_.begin() + static_cast<std::ptrdiff_t>(at), '\n');
    EXPECT_EQ(MessageOf([this] { Build(); }), "s.inf(" + std::to_string(line) + "): error: " + message);
  }

 private:
  std::string text_;
};

}  // namespace package_tool_test
