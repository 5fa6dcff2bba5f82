#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace builder::build {

// The report that mksetup.bat leaves in output\package-failed.txt when the
// package tool fails.
inline constexpr const char* kPackageFailureReport = "output\\package-failed.txt";

// Build's message when the package tool refused the certificate of the
// builder's signing folder (its line names signing\package.pfx or
// signing\password.txt); nothing for a report of another failure.
std::optional<std::string> SigningRefusal(std::string_view report);

}  // namespace builder::build
