#pragma once
#include <string>

#include "support/files.h"

namespace build_tool {

// bcbuild's private copy of what the package script needs from the
// builder's folder, in a fresh temporary folder that goes with everything in
// it (the code file of a build that stopped half-way included) at the end.
// Builds in it need no administrator and disturb no one else's.
class WorkFolder {
 public:
  // With a certificate file (and its password's file), the package script
  // finds them as signing\package.pfx and signing\password.txt, as in the
  // builder's folder, and signs.
  WorkFolder(const std::string& builderFolder, const std::string& certificateFile, const std::string& passwordFile);

  const std::string& Path() const { return path_; }
  // What could not be copied; empty when the folder is ready.
  const std::string& Failure() const { return failure_; }

 private:
  void CopySigningFiles(const std::string& certificateFile, const std::string& passwordFile);

  support::TemporaryFolder folder_;
  std::string path_;
  std::string failure_;
};

}  // namespace build_tool
