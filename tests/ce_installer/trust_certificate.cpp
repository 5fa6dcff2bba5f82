// trust_certificate CERT.der STORE...: puts the certificate into the named
// certificate stores of the device whose Wine prefix runs it, as a
// provisioning document's CertificateStore settings would.
#include <cstdio>
#include <optional>
#include <string>

#include "support/files.h"
#include "support/text.h"
#include "tests/ce_installer/installer_test_support.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: trust_certificate CERT.der STORE...\n");
    return 2;
  }
  const std::optional<std::string> certificate = support::ReadWholeFile(std::string(argv[1]));
  if (!certificate) {
    std::fprintf(stderr, "%s: cannot read the certificate\n", argv[1]);
    return 1;
  }
  for (int i = 2; i < argc; ++i) {
    if (!ce_installer_test::TrustOnDevice(support::Widen(argv[i]), *certificate)) {
      std::fprintf(stderr, "%s: the certificate cannot be added\n", argv[i]);
      return 1;
    }
  }
  return 0;
}
