#pragma once

namespace builder::build {

// Install: runs the install script in the builder's folder and waits for it.
void InstallPackage();

// Open Packages: shows the builder's output folder.
void OpenPackageFolder();

}  // namespace builder::build
