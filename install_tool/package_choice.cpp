#include "install_tool/package_choice.h"

#include "package_tool/cabinet_layout.h"
#include "package_tool/inf_file.h"
#include "package_tool/install_model_builder.h"

namespace install_tool {

std::vector<BuiltPackage> PackagesOfSetup(const std::string& infText, const std::string& infPath) {
  const package_tool::InfFile inf = package_tool::InfFile::Parse(infText, infPath);
  // Only the names and processors matter here, not whether the sources are still there.
  const package_tool::FileProbe anyFile = [](const std::string&) { return true; };
  std::vector<BuiltPackage> packages;
  for (const std::string& target : package_tool::DeviceTargets(inf)) {
    const package_tool::InstallModel model = package_tool::BuildInstallModel(inf, target, anyFile);
    packages.push_back({package_tool::CabinetFileName(model, target), model.device.processorType});
  }
  return packages;
}

std::optional<std::string> PackageFor(const std::vector<BuiltPackage>& packages, uint32_t deviceProcessor) {
  const BuiltPackage* anyProcessor = nullptr;
  for (const BuiltPackage& package : packages) {
    if (package.processorType == deviceProcessor) return package.name;
    if (package.processorType == 0 && !anyProcessor) anyProcessor = &package;
  }
  if (!anyProcessor) return std::nullopt;
  return anyProcessor->name;
}

std::wstring DevicePackagePath(const std::string& packageName) {
  // Package names are the package tool's own, plain ASCII.
  return L"\\Windows\\" + std::wstring(packageName.begin(), packageName.end());
}

std::wstring InstallerCommandLine(const std::wstring& devicePath) { return L"\"" + devicePath + L"\""; }

}  // namespace install_tool
