// bcpack [--store] [setup.inf [output]]: makes one Windows CE installation
// cabinet per device target of the setup information file, named
// "<AppName>.<target>.CAB" (e.g. "Brindlecove.PPC_ARM.CAB"), in the output
// folder. Members are compressed with MSZIP; --store keeps them as they are.
// A fault is one line on the standard error, "file(line): error:
// ...", with exit code 1; no cabinet is then left half-written.
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "package_tool/cabinet_layout.h"
#include "package_tool/fci_cabinet.h"
#include "package_tool/inf_file.h"
#include "package_tool/install_model_builder.h"
#include "package_tool/package_error.h"
#include "package_tool/setup_file_writer.h"
#include "package_tool/win_files.h"

namespace package_tool {
namespace {

struct Package {
  std::string target;
  InstallModel model;
};

// Written under a temporary name beside the final one, and renamed only
// when complete.
void WriteCabinet(const Package& package, const std::string& infPath, const std::string& output,
                  Packing packing) {
  std::string sources = FolderOf(infPath);
  std::string finalPath = InFolder(output, CabinetFileName(package.model, package.target));
  std::string partialPath = finalPath + ".part";
  TemporaryFile setupFile(WriteSetupFile(package.model, infPath));
  try {
    FciCabinet cabinet(partialPath, packing);
    for (const CabinetMember& member : LayOutCabinet(package.model)) {
      cabinet.Add(member.sourcePath.empty() ? setupFile.Path() : InFolder(sources, member.sourcePath),
                  member.cabName);
    }
    cabinet.Finish();
  } catch (const PackageError&) {
    RemoveFile(partialPath);
    throw;
  }
  if (!ReplaceWith(partialPath, finalPath)) {
    RemoveFile(partialPath);
    throw PackageError(finalPath, 0, "cannot replace the cabinet");
  }
}

void Pack(const std::string& infPath, const std::string& output, Packing packing) {
  InfFile inf = InfFile::Parse(ReadWholeFile(infPath), infPath);
  std::string sources = FolderOf(infPath);
  FileProbe probe = [&](const std::string& path) { return IsFile(InFolder(sources, path)); };
  // Every target is read before anything is written, so that a fault in the
  // file leaves the output folder as it was.
  std::vector<Package> packages;
  for (std::string& target : DeviceTargets(inf)) {
    InstallModel model = BuildInstallModel(inf, target, probe);
    packages.push_back(Package{std::move(target), std::move(model)});
  }
  CreateFolder(output);
  for (const Package& package : packages) WriteCabinet(package, infPath, output, packing);
}

}  // namespace
}  // namespace package_tool

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  package_tool::Packing packing = package_tool::Packing::Mszip;
  if (!args.empty() && args.front() == "--store") {
    packing = package_tool::Packing::Stored;
    args.erase(args.begin());
  }
  std::string infPath = args.size() > 0 ? args[0] : "setup.inf";
  std::string output = args.size() > 1 ? args[1] : "output";
  try {
    package_tool::Pack(infPath, output, packing);
    return 0;
  } catch (const package_tool::PackageError& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s: error: %s\n", infPath.c_str(), error.what());
    return 1;
  }
}
