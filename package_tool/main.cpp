// bcpack [--store] [--sign FILE.pfx [--password-file FILE]] [setup.inf [output]]:
// makes one Windows CE installation cabinet per device target of the setup
// information file, named "<AppName>.<target>.CAB" (e.g.
// "Brindlecove.PPC_ARM.CAB"), in the output folder. Members are compressed
// with MSZIP; --store keeps them as they are. --sign signs every program
// among the members before it is packed, and then the cabinet, with the
// certificate of the PKCS #12 file; its password is the first line of the
// password file.
// A fault is one line on the standard error, "file(line): error:
// ...", with exit code 1; no cabinet is then left half-written.
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "package_tool/cabinet_layout.h"
#include "package_tool/code_signer.h"
#include "package_tool/fci_cabinet.h"
#include "package_tool/inf_file.h"
#include "package_tool/install_model_builder.h"
#include "package_tool/package_error.h"
#include "package_tool/setup_file_writer.h"
#include "package_tool/signed_layout.h"
#include "package_tool/win_files.h"
#include "platform/authenticode.h"

namespace package_tool {
namespace {

struct Options {
  Packing packing = Packing::Mszip;
  std::string pfxPath;
  std::string passwordPath;
  std::string infPath = "setup.inf";
  std::string output = "output";
};

struct Package {
  std::string target;
  InstallModel model;
};

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::string text = ReadWholeFile(path);
  return std::vector<uint8_t>(text.begin(), text.end());
}

// The signed copies of the programs among the members, for the time the
// cabinet is written.
class SignedMembers {
 public:
  explicit SignedMembers(const CodeSigner* signer) : signer_(signer) {}
  std::string PathToPack(const std::string& sourcePath) {
    if (signer_ == nullptr) return sourcePath;
    std::vector<uint8_t> bytes = ReadBytes(sourcePath);
    if (!IsSignable(bytes)) return sourcePath;
    copies_.push_back(std::make_unique<TemporaryFile>(signer_->Sign(std::move(bytes), sourcePath)));
    return copies_.back()->Path();
  }

 private:
  const CodeSigner* signer_;
  std::vector<std::unique_ptr<TemporaryFile>> copies_;
};

void SignCabinet(const CodeSigner& signer, const std::string& path) {
  WriteWholeFile(path, signer.Sign(ReadBytes(path), path));
}

// Written (and signed) under a temporary name beside the final one, and
// renamed only when complete.
void WriteCabinet(const Package& package, const Options& options, const CodeSigner* signer) {
  std::string sources = FolderOf(options.infPath);
  std::string finalPath = InFolder(options.output, CabinetFileName(package.model, package.target));
  std::string partialPath = finalPath + ".part";
  TemporaryFile setupFile(WriteSetupFile(package.model, options.infPath));
  try {
    SignedMembers members(signer);
    FciCabinet cabinet(partialPath, options.packing,
                       signer == nullptr ? 0 : platform::authenticode::kCabSignatureReserveSize);
    for (const CabinetMember& member : LayOutCabinet(package.model)) {
      cabinet.Add(member.sourcePath.empty() ? setupFile.Path()
                                            : members.PathToPack(InFolder(sources, member.sourcePath)),
                  member.cabName);
    }
    cabinet.Finish();
    if (signer != nullptr) SignCabinet(*signer, partialPath);
  } catch (const PackageError&) {
    RemoveFile(partialPath);
    throw;
  }
  if (!ReplaceWith(partialPath, finalPath)) {
    RemoveFile(partialPath);
    throw PackageError(finalPath, 0, "cannot replace the cabinet");
  }
}

void Pack(const Options& options) {
  // The certificate is checked before anything is written.
  std::optional<CodeSigner> signer;
  if (!options.pfxPath.empty()) signer.emplace(options.pfxPath, options.passwordPath);
  const std::string& infPath = options.infPath;
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
  CreateFolder(options.output);
  for (const Package& package : packages) WriteCabinet(package, options, signer ? &*signer : nullptr);
}

constexpr const char* kUsage =
    "usage: bcpack [--store] [--sign FILE.pfx [--password-file FILE]] [setup.inf [output]]";

std::optional<Options> ParseOptions(const std::vector<std::string>& args) {
  Options options;
  std::vector<std::string> positional;
  for (size_t i = 0; i < args.size(); ++i) {
    bool hasValue = i + 1 < args.size();
    if (args[i] == "--store") {
      options.packing = Packing::Stored;
    } else if (args[i] == "--sign" && hasValue) {
      options.pfxPath = args[++i];
    } else if (args[i] == "--password-file" && hasValue) {
      options.passwordPath = args[++i];
    } else if (args[i].starts_with("--")) {
      return std::nullopt;
    } else {
      positional.push_back(args[i]);
    }
  }
  if (positional.size() > 2 || (options.pfxPath.empty() && !options.passwordPath.empty())) return std::nullopt;
  if (positional.size() > 0) options.infPath = positional[0];
  if (positional.size() > 1) options.output = positional[1];
  return options;
}

}  // namespace
}  // namespace package_tool

int main(int argc, char** argv) {
  std::optional<package_tool::Options> options = package_tool::ParseOptions({argv + 1, argv + argc});
  if (!options) {
    std::fprintf(stderr, "%s\n", package_tool::kUsage);
    return 2;
  }
  try {
    package_tool::Pack(*options);
    return 0;
  } catch (const package_tool::PackageError& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s: error: %s\n", options->infPath.c_str(), error.what());
    return 1;
  }
}
