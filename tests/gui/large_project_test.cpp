// Projects with thousands of applications, loaded and saved through the window.
#include <string>
#include <vector>

#include "tests/gui/project_file_fixture.h"

using namespace gui_driver;

namespace {

std::string ToolPath(int i) { return "\\Programs\\Tool" + std::to_string(i) + ".exe"; }

std::string Capitals(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

// The path attribute of every application element, in file order.
std::vector<std::string> SavedApplicationPaths(const std::string& file) {
  std::vector<std::string> paths;
  const std::string element = "<otherapplication ", attribute = " path=\"";
  for (size_t at = file.find(element); at != std::string::npos; at = file.find(element, at + 1)) {
    const size_t value = file.find(attribute, at) + attribute.size();
    paths.push_back(file.substr(value, file.find('"', value) - value));
  }
  return paths;
}

}  // namespace

using LargeProjects = ProjectFileTest;

// Every fourth application repeats, in capitals, a path listed earlier.
TEST_F(LargeProjects, ThousandsOfApplicationsKeepFileOrderDropRepeatsAndSaveBack) {
  std::string project = "<project name=\"big\" type=\"brindlecove\">";
  std::vector<std::string> expected;
  for (int i = 0; i < 3000; ++i) {
    std::string path = ToolPath(i);
    if (i % 4 == 3) {
      path = Capitals(ToolPath(i / 8 * 4));
    } else {
      expected.push_back(path);
    }
    project += "<otherapplication display_name=\"app " + std::to_string(i) + "\" path=\"" + path + "\"/>";
  }
  const std::string file = ScratchFile("big.bcp");
  WriteFile(file, project + "</project>");

  Load(file);
  HWND list = Control(main_, IDC_APP_LIST);
  EXPECT_EQ(ListRows(main_, IDC_APP_LIST), expected);
  EXPECT_EQ(ListSelection(main_, IDC_APP_LIST), LB_ERR);
  EXPECT_NE(GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL, 0) << "the list box shows no scroll bar for its rows";

  Save();
  EXPECT_EQ(SavedApplicationPaths(ReadFile(file)), expected);
}
