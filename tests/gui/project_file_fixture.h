#pragma once
#include <ostream>
#include <string>
#include <vector>

#include "tests/gui/builder_fixture.h"

// A builder with a scratch folder for project files, and the steps of saving
// and loading through the file dialogs.
class ProjectFileTest : public BuilderTest {
 protected:
  void SetUp() override;

  // A file in this test's scratch folder (Windows path).
  std::string ScratchFile(const std::string& name) const;
  // Presses Save Project and answers the dialog with the path.
  void SaveAs(const std::string& path);
  // Presses Save Project when the project already has a file.
  void Save();
  void Load(const std::string& path);
  // Returns once the main window has handled everything sent before.
  void WaitIdle();

  static std::string ReadFile(const std::string& path);
  static void WriteFile(const std::string& path, const std::string& content);
  static bool FileExists(const std::string& path);

  // Label, path, parameters and flags of each row, read in the entry dialog.
  struct Entry {
    std::string label, path, params;
    bool autolaunch = false, hide = false;
    bool operator==(const Entry&) const = default;
    friend std::ostream& operator<<(std::ostream& out, const Entry& entry) {
      return out << "{" << entry.label << "|" << entry.path << "|" << entry.params << "|" << entry.autolaunch << "|"
                 << entry.hide << "}";
    }
  };
  std::vector<Entry> Entries();

  std::string scratch_;
};
