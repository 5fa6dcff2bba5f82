#pragma once
#include <set>
#include <string>

#include "tests/gui/project_file_fixture.h"
#include "tests/gui_driver/gui_driver.h"

// A builder whose folder's scripts and template the test may replace; they
// are put back, and file browsers that Build opened are closed, afterwards.
class BuildTest : public ProjectFileTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A file of the builder's folder (Windows path).
  static std::string Dist(const std::string& name);
  // Replaces mksetup.bat of the folder by a script that copies what it sees into Report().
  void UseRecordingPackageScript(const std::string& folder = gui_driver::DistFolder());
  std::string Report(const std::string& name) const { return ScratchFile("report\\" + name); }

  // Presses Build; a new project is first saved into the scratch folder.
  void PressBuild();
  // Answers the administrator code question (when the code is empty) and the
  // information box, after which the build runs.
  void ConfirmBuild();
  // Returns once the builder handles messages again (the script has ended).
  void WaitBuildEnd();
  // Builds a project of one application, Word, with the code 1, to its end.
  void BuildOneApplication();
  // A file browser window that opened since the test began, or null.
  HWND WaitFileBrowser(std::chrono::milliseconds timeout = std::chrono::milliseconds(60000));
  void CloseFileBrowsers();
  // The device files that the real package script packs are built.
  static bool DeviceFilesBuilt();

 private:
  std::set<HWND> OtherWindows() const;

  std::set<HWND> windowsBefore_;
  bool saved_ = false;
};

inline constexpr const char* kInformationText =
    "After build is over, packages (.cab) will be generated in \\Program Files\\Vantrel\\Brindlecove\\output "
    "folder.\nIf PocketPC device is connected with this computer over ActiveSync, then click on Install button. "
    "Otherwise later you can copy the cab package to devices manually.";
inline constexpr const char* kCodeQuestion =
    "It is recommended to enter an administrator code.\nWould you like to enter it?";
