// Build in the window and bcbuild side by side. The cabinets they leave in
// build\same_package and build\beside are extracted and compared by
// check_bcbuild_cabinets.sh, with cabextract rather than our own reader.
#include <memory>
#include <string>
#include <vector>

#include "tests/gui/build_fixture.h"

using namespace gui_driver;

namespace {

constexpr const char* kTargets[] = {"PPC_ARM", "PPC_X86"};

std::string CabinetName(const std::string& target) { return "Brindlecove." + target + ".CAB"; }

// A project of `count` applications named after it, with a code; and the
// set.alf that Build writes for it.
std::string ProjectXml(const std::string& name, int count) {
  std::string xml = "<project name=\"" + name + "\" type=\"brindlecove\">\n";
  for (int i = 1; i <= count; ++i) {
    const std::string n = std::to_string(i);
    xml += "<otherapplication display_name=\"" + name + " " + n + "\" path=\"\\apps\\app" + n + ".exe\" params=\"\"/>\n";
  }
  return xml + "<admincode value=\"42\"/>\n</project>\n";
}

std::string ApplicationList(const std::string& name, int count) {
  std::string list;
  for (int i = 1; i <= count; ++i) {
    list += "1;0;" + name + " " + std::to_string(i) + ";\\apps\\app" + std::to_string(i) + ".exe;;";
  }
  return list;
}

class BcbuildBesideWindow : public BuildTest {
 protected:
  void SetUp() override {
    BuildTest::SetUp();
    if (!DeviceFilesBuilt()) GTEST_SKIP() << "device files missing";
  }

  // The shipped package script, after a recording of what it is given.
  void UseRecordingRealScript() {
    const std::string real = ReadFile(Dist("mksetup.bat"));
    UseRecordingPackageScript();
    WriteFile(Dist("mksetup.bat"), ReadFile(Dist("mksetup.bat")) + real);
  }

  // Starts dist\bcbuild.exe in the scratch folder; its output goes to a file.
  std::unique_ptr<Process> StartBcbuild(const std::string& output, const std::vector<std::string>& projects,
                                        const std::string& outputFile) {
    std::string arguments = "--output \"" + output + "\"";
    for (const std::string& project : projects) arguments.append(" \"").append(project).append("\"");
    return std::make_unique<Process>(Dist("bcbuild.exe"), arguments, scratch_, outputFile);
  }

  static void Fresh(const std::string& folder) {
    support::RemoveTree(std::wstring(folder.begin(), folder.end()));
    CreateDirectoryA(folder.c_str(), nullptr);
  }
};

TEST_F(BcbuildBesideWindow, MakesFromTheSavedProjectWhatTheWindowBuilt) {
  UseRecordingRealScript();
  WriteFile(ScratchFile("logo.bmp"), "BM a logo of a few bytes");
  AddApplication("Word", "\\windows\\pword.exe", "-q", true);
  AddApplication("Scan; \"Ship\"", "\\Program Files\\Scan, Pack\\scan.exe", "-profile \"night\" 50%", false, true);
  for (int key : {IDC_KEY_9, IDC_KEY_0, IDC_KEY_1}) Click(main_, key);
  SetText(main_, IDC_COUNTDOWN, "0");
  SetText(main_, IDC_RESTART_DELAY, "-1");
  SetText(main_, IDC_LOGO, ScratchFile("logo.bmp"));
  Click(main_, IDC_FIT_LOGO);
  Click(main_, IDC_DISABLE_HARDWARE_BUTTONS);
  Click(main_, IDC_ENABLE_KIOSK_DESKTOP);
  SetText(main_, IDC_KIOSK_TITLE, "Night shift");
  SelectComboRow(main_, IDC_LANGUAGE, 1);
  // The project as its file holds it: a window's first project also has the
  // start-up main application, which no project file carries.
  SaveAs(ScratchFile("kiosk.bcp"));
  Load(ScratchFile("kiosk.bcp"));
  ClickAsync(main_, IDC_BUILD);
  ConfirmBuild();
  WaitBuildEnd();
  const std::string windowSetup = ReadFile(Report("setup.inf"));
  const std::string windowList = ReadFile(Report("set.alf"));
  ASSERT_NE(windowSetup.find("spanish"), std::string::npos) << windowSetup;
  const std::string same = BuildFile("same_package");
  Fresh(same);
  CreateDirectoryA((same + "\\window").c_str(), nullptr);
  for (const std::string target : kTargets) {
    ASSERT_TRUE(CopyFileA(Dist("output\\" + CabinetName(target)).c_str(),
                          (same + "\\window\\" + CabinetName(target)).c_str(), FALSE))
        << target;
  }
  for (const char* name : {"setup.inf", "set.alf"}) DeleteFileA(Report(name).c_str());

  auto bcbuild = StartBcbuild(same + "\\bcbuild", {"kiosk.bcp"}, ScratchFile("bcbuild.txt"));
  ASSERT_EQ(bcbuild->WaitForExit(milliseconds(120000)), 0u) << ReadFile(ScratchFile("bcbuild.txt"));
  EXPECT_EQ(ReadFile(Report("setup.inf")), windowSetup);
  EXPECT_EQ(ReadFile(Report("set.alf")), windowList);
  for (const std::string target : kTargets) {
    const std::string cabinet = same + "\\bcbuild\\kiosk\\" + CabinetName(target);
    EXPECT_TRUE(FileExists(cabinet)) << cabinet;
    EXPECT_NE(ReadFile(ScratchFile("bcbuild.txt")).find(cabinet + "\r\n"), std::string::npos) << cabinet;
  }
}

TEST_F(BcbuildBesideWindow, TwoRunsAndAWindowBuildKeepToThemselves) {
  const std::string beside = BuildFile("beside");
  Fresh(beside);
  CreateDirectoryA((beside + "\\expected").c_str(), nullptr);
  std::vector<std::string> runs[2];
  for (int run = 0; run < 2; ++run) {
    for (int i = 1; i <= 10; ++i) {
      const std::string name = std::string(1, static_cast<char>('A' + run)) + std::to_string(i);
      WriteFile(ScratchFile(name + ".bcp"), ProjectXml(name, 4 * i + run));
      WriteFile(beside + "\\expected\\" + name + ".alf", ApplicationList(name, 4 * i + run));
      runs[run].push_back(name + ".bcp");
    }
  }
  AddApplication("Window", "\\windows\\window.exe");
  Click(main_, IDC_KEY_7);
  PressBuild();
  // The window's build starts when its information box is closed.
  auto first = StartBcbuild(beside + "\\runs", runs[0], ScratchFile("first.txt"));
  auto second = StartBcbuild(beside + "\\runs", runs[1], ScratchFile("second.txt"));
  ConfirmBuild();
  WaitBuildEnd();
  const bool overlapped = first->Running() || second->Running();
  EXPECT_EQ(first->WaitForExit(milliseconds(180000)), 0u) << ReadFile(ScratchFile("first.txt"));
  EXPECT_EQ(second->WaitForExit(milliseconds(180000)), 0u) << ReadFile(ScratchFile("second.txt"));
  std::printf("the window's build ended while bcbuild still ran: %s\n", overlapped ? "yes" : "no");
  CreateDirectoryA((beside + "\\runs\\Window").c_str(), nullptr);
  WriteFile(beside + "\\expected\\Window.alf", "0;0;Window;\\windows\\window.exe;;");
  for (const std::string target : kTargets) {
    EXPECT_TRUE(CopyFileA(Dist("output\\" + CabinetName(target)).c_str(),
                          (beside + "\\runs\\Window\\" + CabinetName(target)).c_str(), FALSE))
        << target;
  }
}

}  // namespace
