#pragma once
#include <string>
#include <string_view>

#include "builder/main_window/project_settings.h"
#include "framework/combo_box.h"
#include "framework/dialog.h"
#include "framework/list_box.h"

namespace builder::main_window {

// The builder's one main window: owns the Project settings and carries a
// button for every command. Each command asks its feature's folder to do it.
class MainDialog : public framework::TableDialog<MainDialog> {
 public:
  MainDialog();

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(framework::DataExchange& dx) override;
  bool PreRouteCommand(WPARAM wParam, LPARAM lParam) override;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

 private:
  // Settings area
  void OnNewProject();
  void OnShowKioskDesktop();
  void OnTitleFocus();
  void OnKeypad(WORD id);
  void OnBrowseLogo();
  void EnableKioskDesktopControls(bool enable);
  std::string_view SelectedLanguage() const;
  void SelectLoadedLanguage();

  // Application list
  void RefreshList();
  void OnAdd();
  void OnRemove();
  void OnModify();
  void OnUp();
  void OnDown();
  void MoveSelectedEntry(int step);

  // Commands of the other features
  void OnLoadProject();
  void OnSaveProject();
  void OnBuild();
  void OnInstall();
  void OnOpenPackages();
  void OnHelp();
  void OnDeviceControl();
  void OnAbout();

  static const framework::CommandBinding<MainDialog> kCommands[];

  ProjectSettings settings_;
  std::string loadedlanguage_;
  HICON icon_;
  framework::ListBox appList_;
  framework::ComboBox language_;
};

}  // namespace builder::main_window
