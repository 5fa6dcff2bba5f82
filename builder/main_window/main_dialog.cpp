#include "builder/main_window/main_dialog.h"

#include "builder/app/resource.h"
#include "builder/project/application_list.h"
#include "framework/data_exchange.h"
#include "framework/file_dialog.h"

namespace builder::main_window {

const framework::CommandBinding<MainDialog> MainDialog::kCommands[] = {
    {BN_CLICKED, IDC_NEW_PROJECT, &MainDialog::OnNewProject},
    {BN_CLICKED, IDC_LOAD_PROJECT, &MainDialog::OnLoadProject},
    {BN_CLICKED, IDC_SAVE_PROJECT, &MainDialog::OnSaveProject},
    {BN_CLICKED, IDC_ADD, &MainDialog::OnAdd},
    {BN_CLICKED, IDC_REMOVE, &MainDialog::OnRemove},
    {BN_CLICKED, IDC_MODIFY, &MainDialog::OnModify},
    {LBN_DBLCLK, IDC_APP_LIST, &MainDialog::OnModify},
    {BN_CLICKED, IDC_UP, &MainDialog::OnUp},
    {BN_CLICKED, IDC_DOWN, &MainDialog::OnDown},
    {BN_CLICKED, IDC_ENABLE_KIOSK_DESKTOP, &MainDialog::OnShowKioskDesktop},
    {EN_SETFOCUS, IDC_KIOSK_TITLE, &MainDialog::OnTitleFocus},
    {BN_CLICKED, IDC_BROWSE_LOGO, &MainDialog::OnBrowseLogo},
    {BN_CLICKED, IDC_BUILD, &MainDialog::OnBuild},
    {BN_CLICKED, IDC_INSTALL, &MainDialog::OnInstall},
    {BN_CLICKED, IDC_OPEN_PACKAGES, &MainDialog::OnOpenPackages},
    {BN_CLICKED, IDC_HELP_BUTTON, &MainDialog::OnHelp},
    {BN_CLICKED, IDC_DEVICE_CONTROL, &MainDialog::OnDeviceControl},
    {BN_CLICKED, IDC_ABOUT, &MainDialog::OnAbout},
};

namespace {
constexpr const char* kHintLines[] = {"Click Add button below to specify applications",
                                      "that you want to run in kiosk mode"};
}  // namespace

MainDialog::MainDialog()
    : TableDialog(IDD_MAIN, kCommands), icon_(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_BUILDER))) {}

BOOL MainDialog::OnInitDialog() {
  appList_ = framework::ListBox(Item(IDC_APP_LIST));
  language_ = framework::ComboBox(Item(IDC_LANGUAGE));
  Dialog::OnInitDialog();
  SendMessageA(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  SendMessageA(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
  settings_.kioskdesktoptitletext = kTitlePlaceholder;
  settings_.mainapplication = {kStartupMainApplicationPath, ""};
  UpdateData(false);
  settings_.admincode.clear();
  RefreshList();
  for (const char* line : kHintLines) appList_.AddString(line);
  language_.ResetContent();
  for (const char* language : kLanguageTable) language_.AddString(language);
  language_.SetCurSel(0);
  EnableKioskDesktopControls(settings_.enablekioskdesktop != 0);
  return TRUE;
}

void MainDialog::DoDataExchange(framework::DataExchange& dx) {
  dx.Text(IDC_ADMIN_CODE, settings_.admincode);
  dx.Integer(IDC_COUNTDOWN, settings_.startuptimer);
  dx.Check(IDC_ENABLE_KIOSK_DESKTOP, settings_.enablekioskdesktop);
  dx.Check(IDC_SHOW_SIP_ICON, settings_.showsipiconinkioskdesktop);
  dx.Check(IDC_ENABLE_TASKBAR, settings_.enabletaskbarinkioskdesktop);
  dx.Check(IDC_DISABLE_ACTIVESYNC, settings_.disableactivesyncconnection);
  dx.Check(IDC_DISABLE_HARDWARE_BUTTONS, settings_.disablehardwarebuttons);
  dx.Check(IDC_SHOW_TASKBAR, settings_.showtaskbar);
  dx.Check(IDC_SHOW_VERSION, settings_.showversion);
  dx.Check(IDC_DISABLE_CONTINUE, settings_.disablecontinuebutton);
  dx.Check(IDC_FIT_LOGO, settings_.fitlogotoscreen);
  dx.Integer(IDC_RESTART_DELAY, settings_.restartdelay);
  dx.Text(IDC_LOGO, settings_.logo);
  dx.Text(IDC_PROJECT_NAME, settings_.name);
  dx.Text(IDC_KIOSK_TITLE, settings_.kioskdesktoptitletext);
  dx.MaxChars(settings_.kioskdesktoptitletext, kTitleMaxChars);
  dx.Check(IDC_UNLOCK_ON_TAP, settings_.unlockontitletap);
}

bool MainDialog::PreRouteCommand(WPARAM wParam, LPARAM) {
  const WORD id = LOWORD(wParam);
  if (id >= IDC_KEY_1 && id <= IDC_KEY_CLEAR) OnKeypad(id);
  if (id == IDCANCEL) PostQuitMessage(0);
  return false;
}

INT_PTR MainDialog::OnMessage(UINT message, WPARAM wParam, LPARAM, bool& handled) {
  handled = true;
  if (message == WM_QUERYDRAGICON) return reinterpret_cast<INT_PTR>(icon_);
  if (message == WM_PAINT && IsIconic(Hwnd())) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Hwnd(), &paint);
    SendMessageA(Hwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(Hwnd(), &client);
    const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, icon_);
    EndPaint(Hwnd(), &paint);
    return 0;
  }
  handled = false;
  (void)wParam;
  return 0;
}

void MainDialog::OnKeypad(WORD id) {
  if (id == IDC_KEY_CLEAR) {
    settings_.admincode.clear();
  } else {
    char digit[2] = {};
    GetDlgItemTextA(Hwnd(), id, digit, sizeof digit);
    if (digit[0] != '\0') AppendKeypadDigit(settings_.admincode, digit[0]);
  }
  SetItemText(IDC_ADMIN_CODE, settings_.admincode);
}

void MainDialog::OnShowKioskDesktop() {
  EnableKioskDesktopControls(IsDlgButtonChecked(Hwnd(), IDC_ENABLE_KIOSK_DESKTOP) == BST_CHECKED);
}

void MainDialog::EnableKioskDesktopControls(bool enable) {
  for (int id : {IDC_KIOSK_TITLE, IDC_ENABLE_TASKBAR, IDC_UNLOCK_ON_TAP}) EnableItem(id, enable);
}

void MainDialog::OnTitleFocus() {
  UpdateData(true);
  if (settings_.kioskdesktoptitletext == kTitlePlaceholder) {
    settings_.kioskdesktoptitletext.clear();
    SetItemText(IDC_KIOSK_TITLE, "");
  }
}

void MainDialog::OnNewProject() {
  settings_.ResetForNewProject();
  project::TheApplicationList().Clear();
  appList_.ResetContent();
  EnableKioskDesktopControls(settings_.enablekioskdesktop != 0);
  UpdateData(false);
}

void MainDialog::OnBrowseLogo() {
  const auto chosen = framework::AskFileName(Hwnd(), framework::FileDialogKind::Open, "Select Logo File",
                                             "Bmp Files (*.bmp)|*.bmp|All Files (*.*)|*.*||");
  if (!chosen) return;
  settings_.logo = *chosen;
  SetItemText(IDC_LOGO, settings_.logo);
}

std::string_view MainDialog::SelectedLanguage() const {
  const int index = language_.GetCurSel();
  return kLanguageTable[index >= 0 && index < static_cast<int>(kLanguageTable.size()) ? static_cast<size_t>(index) : 0];
}

void MainDialog::SelectLoadedLanguage() {
  language_.SetCurSel(static_cast<int>(LanguageIndex(loadedlanguage_)));
}

}  // namespace builder::main_window
