#include "tests/gui/build_fixture.h"

#include "tests/gui_driver/file_dialogs.h"

using namespace gui_driver;

namespace {

// The shipped files a test may replace, with their content at start.
constexpr const char* kShippedFiles[] = {"mksetup.bat", "installsetup.bat", "setup_tmpl.inf"};
// What a build leaves in the builder's folder.
constexpr const char* kBuildFiles[] = {"setup.inf", "abce.pac", "set.alf", "bce_logofile"};

std::string g_shipped[std::size(kShippedFiles)];

struct WindowSearch {
  DWORD exceptA, exceptB;
  std::set<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->exceptA && owner != search->exceptB && IsWindowVisible(window)) search->found.insert(window);
  return TRUE;
}

}  // namespace

void BuildTest::SetUp() {
  ProjectFileTest::SetUp();
  for (size_t i = 0; i < std::size(kShippedFiles); ++i) g_shipped[i] = ReadFile(Dist(kShippedFiles[i]));
  for (const char* name : kBuildFiles) DeleteFileA(Dist(name).c_str());
  CreateDirectoryA(ScratchFile("report").c_str(), nullptr);
  // What the recording script left in an earlier run of the same test would
  // pass for this run's.
  for (const char* name : kBuildFiles) DeleteFileA(Report(name).c_str());
  for (const char* name : {"folder.txt", "window.txt"}) DeleteFileA(Report(name).c_str());
  // A browser that an earlier build opened after that test had ended would
  // take this test's folder: Wine shows the open window again instead of a new one.
  CloseFileBrowsers();
  windowsBefore_ = OtherWindows();
}

void BuildTest::TearDown() {
  CloseFileBrowsers();
  ProjectFileTest::TearDown();
  for (size_t i = 0; i < std::size(kShippedFiles); ++i) WriteFile(Dist(kShippedFiles[i]), g_shipped[i]);
}

std::string BuildTest::Dist(const std::string& name) { return DistFolder() + "\\" + name; }

bool BuildTest::DeviceFilesBuilt() {
  for (const std::string folder : {"pocketpc\\arm\\", "pocketpc\\x86\\"}) {
    for (const char* file : {"brindlecove.exe", "bcmgr.dll", "BCESetup.dll", "bcebtn.exe"}) {
      if (!FileExists(Dist(folder + file))) return false;
    }
  }
  return true;
}

void BuildTest::UseRecordingPackageScript(const std::string& folder) {
  std::string script = "@echo off\r\ncd >\"" + Report("folder.txt") + "\"\r\n";
  for (const std::string name : kBuildFiles) {
    script.append("if exist ").append(name).append(" copy /y ").append(name);
    script.append(" \"").append(Report(name)).append("\" >nul\r\n");
  }
  script.append("\"")
      .append(WindowsPath(BC_SCRIPT_PROBE))
      .append("\" \"")
      .append(Report("window.txt"))
      .append("\"\r\n");
  WriteFile(folder + "\\mksetup.bat", script);
}

void BuildTest::PressBuild() {
  ClickAsync(main_, IDC_BUILD);
  if (!saved_) {
    ASSERT_TRUE(ChooseFile(builder_->Id(), "Save Brindlecove Project", ScratchFile("kiosk.bcp")));
    saved_ = true;
  }
}

void BuildTest::ConfirmBuild() {
  if (Text(main_, IDC_ADMIN_CODE).empty()) ExpectBox(kCodeQuestion, IDNO);
  ExpectBox(kInformationText, IDOK);
}

void BuildTest::WaitBuildEnd() {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_NORMAL, 120000, &result);
}

void BuildTest::BuildOneApplication() {
  AddApplication("Word", "\\windows\\pword.exe", "", true);
  Click(main_, IDC_KEY_1);
  PressBuild();
  ConfirmBuild();
  WaitBuildEnd();
}

std::set<HWND> BuildTest::OtherWindows() const {
  WindowSearch search{GetCurrentProcessId(), builder_->Id(), {}};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND BuildTest::WaitFileBrowser(std::chrono::milliseconds timeout) {
  HWND browser = nullptr;
  WaitUntil(
      [&] {
        // A browser window has its folder as caption; other programs' windows
        // that come and go meanwhile have none.
        for (HWND window : OtherWindows()) {
          if (!windowsBefore_.count(window) && !Text(window).empty()) browser = window;
        }
        return browser != nullptr;
      },
      timeout);
  return browser;
}

void BuildTest::CloseFileBrowsers() {
  for (HWND window : OtherWindows()) {
    if (windowsBefore_.count(window)) continue;
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE browser = OpenProcess(SYNCHRONIZE, FALSE, processId);
    PostMessageA(window, WM_CLOSE, 0, 0);
    WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); });
    if (browser) {
      // A busy machine can take seconds to end a Wine process.
      EXPECT_EQ(WaitForSingleObject(browser, 30000), WAIT_OBJECT_0) << "the file browser did not end";
      CloseHandle(browser);
    }
  }
}
