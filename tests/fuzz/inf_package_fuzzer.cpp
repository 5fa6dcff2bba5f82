// A setup information file of any bytes: the package tool either names the
// fault (PackageError) or makes a setup file that the installer stand-in's
// reader takes back with the same application, files, values and links.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "package_tool/inf_file.h"
#include "package_tool/install_model_builder.h"
#include "package_tool/package_error.h"
#include "package_tool/setup_file_writer.h"
#include "standins/ce_installer/setup_reader/setup_file_reader.h"

namespace {

void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "setup file read back differs: %s\n", what);
  std::abort();
}

void CheckRoundTrip(const package_tool::InstallModel& model) {
  std::vector<uint8_t> bytes = package_tool::WriteSetupFile(model, "fuzz.inf");
  standins::ce_installer::SetupFileView view = standins::ce_installer::ReadSetupFile(bytes);
  Require(view.appName == model.appName, "app_name");
  Require(view.provider == model.provider, "provider");
  Require(view.files.size() == model.files.size(), "files");
  Require(view.values.size() == model.registry.size(), "values");
  Require(view.links.size() == model.shortcuts.size(), "links");
  for (size_t i = 0; i < model.registry.size(); ++i) {
    Require(view.values[i].data == model.registry[i].data, "values");
    Require(view.values[i].name == model.registry[i].name, "values");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  // Source files "exist" unless their path length is a multiple of 7, so
  // that both answers occur.
  package_tool::FileProbe probe = [](const std::string& path) { return path.size() % 7 != 0; };
  try {
    package_tool::InfFile inf = package_tool::InfFile::Parse(text, "fuzz.inf");
    for (const std::string& target : package_tool::DeviceTargets(inf)) {
      CheckRoundTrip(package_tool::BuildInstallModel(inf, target, probe));
    }
  } catch (const package_tool::PackageError&) {
  }
  return 0;
}
