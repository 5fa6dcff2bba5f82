#pragma once
#include <string>

#include "builder/main_window/project_settings.h"
#include "framework/dialog.h"

namespace builder {

struct XmlElement;

// The builder's one main window: owns the Project settings and carries a
// button for every command. Each command's handler lives beside its subject.
class MainDialog : public framework::Dialog {
 public:
  MainDialog();

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(framework::DataExchange& dx) override;
  bool PreRouteCommand(WPARAM wParam, LPARAM lParam) override;
  bool DispatchCommand(WORD code, WORD id) override;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

 private:
  // Settings area
  void OnNewProject();
  void OnShowKioskDesktop();
  void OnTitleFocus();
  void OnKeypad(WORD id);
  void EnableKioskDesktopControls(bool enable);
  void ShowAdminCode();

  // Application list
  void RefreshList();
  void OnAdd();
  void OnRemove();
  void OnModify();
  void OnUp();
  void OnDown();
  int ListSelection() const;
  void SelectListRow(int row);

  // Project files
  void OnSaveProject();
  void WriteProjectFile(const std::string& path);
  void OnLoadProject();
  void ReadProjectFile(const std::string& path);
  void ReadProjectElement(const XmlElement& child);
  void OnBrowseLogo();
  void SelectLoadedLanguage();

  // Package build
  void OnBuild();
  void OnInstall();
  void OnOpenPackages();
  void OnHelp();
  // The countdown, logo and administrator code checks; false stops the build.
  bool CheckBuildSettings();

  // Device control
  void OnDeviceControl();
  void OnAbout();

  int LanguageSelection() const;

  ProjectSettings settings_;
  std::string loadedlanguage_;
  HICON icon_;
};

}  // namespace builder
