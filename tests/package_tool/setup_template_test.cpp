// The shipped setup_tmpl.inf, filled by Build's own substitution, must give a
// package with every file, folder, configuration value and the setup DLL.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "builder/build/core/text_file.h"
#include "package_tool/install_model_builder.h"
#include "package_tool/setup_file_writer.h"
#include "tests/package_tool/distinct_settings.h"
#include "tests/package_tool/package_test_support.h"
#include "standins/ce_installer/setup_reader/setup_file_reader.h"

namespace package_tool {
namespace {

using standins::ce_installer::SetupFileView;

struct Setting {
  const char* key;
  const char* valueName;  // under HKLM\Software\Brindlecove
  const char* sample;
  bool dword;
};

// What the engine must read for the project of distinct settings.
const Setting kSettings[] = {
    {"APPLICATION_PATH", "AppPath", "\\Windows\\pword.exe", false},
    {"APPLICATION_PARAMS", "AppParams", "-f 50% off", false},
    {"APPLICATION_COUNTDOWN", "AppCountdown", "15", true},
    {"DISABLE_ACTIVESYNC_CONNECTION", "DisableActiveSync", "1", true},
    {"DISABLE_HARDBUTTONS", "DisableHardButtons", "9", true},
    {"ENABLE_KIOSKDESKTOP", "EnableKioskDesktop", "2", true},
    {"KIOSK_DESKTOP_TITLE_TEXT", "KioskDesktopTitle", "[Enter Desktop Title Text here]", false},
    {"UNLOCK_ON_TAP_IN_KIOSKDESKTOP", "UnlockOnTitleTap", "3", true},
    {"SHOWSIPICON_IN_KIOSKDESKTOP", "ShowSipIcon", "4", true},
    {"ENABLETASKBAR_IN_KIOSKDESKTOP", "EnableTaskbar", "5", true},
    {"SHOWTASKBAR", "ShowTaskbar", "6", true},
    {"SHOWVERSION", "ShowVersion", "7", true},
    {"DISABLE_CONTINUE_BUTTON", "DisableContinueButton", "8", true},
    {"TARGET_APP_RESTART_DELAY", "RestartDelay", "65535", true},
    {"LANGUAGE_TO_BE_USED", "Language", "brazilian", false},
    {"FIT_LOGO_TO_SCREEN", "FitLogoToScreen", "10", true},
};

std::string ShippedTemplate() {
  std::ifstream file(BC_SETUP_TEMPLATE, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  EXPECT_FALSE(text.str().empty()) << BC_SETUP_TEMPLATE;
  return text.str();
}

std::string FilledTemplate(bool withLogo) {
  return builder::build::TextModeBytes(package_tool_test::FilledTemplate(ShippedTemplate(), withLogo));
}

class SetupTemplate : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    package_tool::FileProbe probe = [this](const std::string& path) {
      probed_.insert(path);
      return true;
    };
    InfFile inf = InfFile::Parse(FilledTemplate(GetParam()), "setup.inf");
    ASSERT_EQ(DeviceTargets(inf), (std::vector<std::string>{"PPC_ARM", "PPC_X86"}));
    model_ = BuildInstallModel(inf, "PPC_ARM", probe);
    x86Model_ = BuildInstallModel(inf, "PPC_X86", probe);
    view_ = standins::ce_installer::ReadSetupFile(WriteSetupFile(model_, "setup.inf"));
  }

  void ExpectFile(const std::string& folder, const std::string& name, const std::string& source) {
    const SetupFileView::File* file = view_.FindFile(name);
    ASSERT_NE(file, nullptr) << name;
    EXPECT_EQ(file->directory, folder) << name;
    EXPECT_EQ(model_.files.at(file->number - 1).sourcePath, source) << name;
  }

  std::set<std::string> probed_;
  InstallModel model_;  // the ARM package
  InstallModel x86Model_;
  SetupFileView view_;
};

// The same files, each processor's programs from its own folder; everything else alike.
TEST_P(SetupTemplate, EachProcessorHasItsPackageWithItsOwnPrograms) {
  EXPECT_EQ(model_.device.processorType, 2577u);
  EXPECT_EQ(x86Model_.device.processorType, 686u);
  for (const InstallModel* model : {&model_, &x86Model_}) {
    EXPECT_EQ(model->device.versionMinMajor, 4u);
    EXPECT_EQ(model->device.versionMinMinor, 20u);
  }
  ASSERT_EQ(x86Model_.files.size(), model_.files.size());
  for (size_t i = 0; i < model_.files.size(); ++i) {
    std::string armSource = model_.files[i].sourcePath;
    if (armSource.rfind("pocketpc\\arm\\", 0) == 0) armSource.replace(9, 3, "x86");
    EXPECT_EQ(x86Model_.files[i].sourcePath, armSource) << model_.files[i].name;
    EXPECT_EQ(x86Model_.files[i].directory, model_.files[i].directory) << model_.files[i].name;
  }
  EXPECT_EQ(x86Model_.setupDllSource, "pocketpc\\x86\\BCESetup.dll");
  EXPECT_EQ(x86Model_.registry.size(), model_.registry.size());
}

TEST_P(SetupTemplate, InstallsTheEngineAndTheDeviceFiles) {
  EXPECT_EQ(view_.appName, "Brindlecove");
  EXPECT_EQ(model_.installDir, "%CE1%\\Brindlecove");
  ExpectFile("%CE1%\\Brindlecove", "Brindlecove.exe", "pocketpc\\arm\\brindlecove.exe");
  ExpectFile("%CE1%\\Brindlecove", "bcebtn.exe", "pocketpc\\arm\\bcebtn.exe");
  ExpectFile("%CE1%\\Brindlecove", "set.alf", "set.alf");
  ExpectFile("%CE2%", "abce.pac", "abce.pac");
  ExpectFile("%CE2%", "bcmgr.dll", "pocketpc\\arm\\bcmgr.dll");
  EXPECT_EQ(model_.setupDllSource, "pocketpc\\arm\\BCESetup.dll");
  EXPECT_TRUE(probed_.contains("pocketpc\\arm\\BCESetup.dll"));
}

TEST_P(SetupTemplate, CarriesTheLogoOnlyWhenChosen) {
  bool withLogo = GetParam();
  EXPECT_EQ(view_.FindFile("bce_logofile") != nullptr, withLogo);
  EXPECT_EQ(probed_.contains("bce_logofile"), withLogo);
  if (withLogo) ExpectFile("%CE1%\\Brindlecove", "bce_logofile", "bce_logofile");
  EXPECT_EQ(view_.files.size(), withLogo ? 6u : 5u);
  const SetupFileView::Value* showLogo = view_.FindValue("HKLM\\Software\\Brindlecove", "ShowLogo");
  ASSERT_NE(showLogo, nullptr);
  EXPECT_EQ(showLogo->Dword(), withLogo ? 1u : 0u);
}

TEST_P(SetupTemplate, StoresEveryConfigurationValueWhereTheEngineReadsIt) {
  for (const Setting& setting : kSettings) {
    const SetupFileView::Value* value = view_.FindValue("HKLM\\Software\\Brindlecove", setting.valueName);
    ASSERT_NE(value, nullptr) << setting.valueName;
    if (setting.dword) {
      EXPECT_EQ(value->Dword(), std::stoul(setting.sample)) << setting.valueName;
    } else {
      EXPECT_EQ(value->Text(), setting.sample) << setting.valueName;
    }
  }
  EXPECT_EQ(view_.values.size(), std::size(kSettings) + 1);  // and ShowLogo
}

// In the Programs menu and in the start-up folder, which starts the engine
// (without "r": a shortcut names its file alone) after every reset.
TEST_P(SetupTemplate, LinksTheEngineInTheProgramsAndTheStartUpFolder) {
  ASSERT_EQ(view_.links.size(), 2u);
  for (size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(view_.links[i].location, i == 0 ? "%CE11%\\Brindlecove" : "%CE4%\\Brindlecove");
    EXPECT_TRUE(view_.links[i].toFile);
    EXPECT_EQ(view_.links[i].target, view_.FindFile("Brindlecove.exe")->number);
  }
}

// Typed texts reach the setup file byte for byte, whatever they hold, and
// the device's installer is not asked to expand folder names in them.
TEST(SetupTemplateTexts, ArriveUnchanged) {
  const std::map<std::string, std::string> typed = {
      {"KIOSK_DESKTOP_TITLE_TEXT", "Scan, Pack & Ship \"A\" 100% ;=\\ \xE9"},
      {"APPLICATION_PATH", " \\Program Files\\My \"App\"\\run.exe "},
      {"APPLICATION_PARAMS", "-profile \"night shift\" -x=%CE2%;a,b %%"},
      {"LANGUAGE_TO_BE_USED", "\"\""},
  };
  const std::map<std::string, std::string> valueNames = {{"KIOSK_DESKTOP_TITLE_TEXT", "KioskDesktopTitle"},
                                                          {"APPLICATION_PATH", "AppPath"},
                                                          {"APPLICATION_PARAMS", "AppParams"},
                                                          {"LANGUAGE_TO_BE_USED", "Language"}};
  builder::main_window::ProjectSettings settings = package_tool_test::DistinctSettings(false);
  settings.kioskdesktoptitletext = typed.at("KIOSK_DESKTOP_TITLE_TEXT");
  settings.mainapplication = {typed.at("APPLICATION_PATH"), typed.at("APPLICATION_PARAMS")};
  const std::string filled = builder::build::FillSetupTemplate(
      ShippedTemplate(), builder::build::SetupSubstitutions(settings, typed.at("LANGUAGE_TO_BE_USED")));
  InfFile inf = InfFile::Parse(builder::build::TextModeBytes(filled), "setup.inf");
  InstallModel model = BuildInstallModel(inf, "PPC_ARM", [](const std::string&) { return true; });
  SetupFileView view = standins::ce_installer::ReadSetupFile(WriteSetupFile(model, "setup.inf"));
  for (const auto& [key, text] : typed) {
    const SetupFileView::Value* value = view.FindValue("HKLM\\Software\\Brindlecove", valueNames.at(key));
    ASSERT_NE(value, nullptr) << key;
    EXPECT_EQ(value->Text(), text) << key;
    EXPECT_FALSE(value->substitute) << key;
  }
}

INSTANTIATE_TEST_SUITE_P(LogoOrNot, SetupTemplate, ::testing::Bool());

}  // namespace
}  // namespace package_tool
