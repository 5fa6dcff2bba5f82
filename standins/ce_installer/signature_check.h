#pragma once
// The device's check of a cabinet's Authenticode signature before it
// installs it. Its security policy 4101 (Unsigned CABS Policy, kept as the
// DWORD "00001005" under HKLM\Security\Policies\Policies) is a role mask: 0
// accepts unsigned cabinets from no one. A cabinet counts as signed when its
// signature holds and its chain ends in a root of the device's Software
// Publisher Certificate store (HKLM\Comm\Security\SystemCertificates\SPC, a
// registry certificate store); any other cabinet counts as unsigned.
#include <cstdint>
#include <string>
#include <vector>

namespace standins::ce_installer {

bool DeviceAcceptsUnsignedCabinets();

// Empty when the cabinet is signed by a publisher of the device's SPC store;
// else why it counts as unsigned.
std::string WhyNotTrusted(const std::vector<uint8_t>& cabinet);

}  // namespace standins::ce_installer
