#pragma once
#include <string>
#include <vector>

namespace build_tool {

// Where a package run's cabinets went.
struct CabinetDelivery {
  std::vector<std::string> cabinets;  // full paths, in the order delivered
  std::string failure;                // why the package is not complete; empty when it is
};

// Moves the cabinets that the package script left in the work folder's
// output\ into the folder, made (with its parent) when missing, replacing
// cabinets of the same name. A package tool run that failed leaves its report
// there instead: that report is the failure, and nothing is moved.
CabinetDelivery DeliverCabinets(const std::string& workFolder, const std::string& folder);

}  // namespace build_tool
