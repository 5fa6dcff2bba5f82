// fill_setup_template TEMPLATE WITH_LOGO(0|1) OUTPUT: writes the setup.inf
// that Build writes from the template for the project of distinct settings.
#include <fstream>
#include <iterator>
#include <string>

#include "builder/build/core/text_file.h"
#include "tests/package_tool/distinct_settings.h"

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  std::ifstream file(argv[1], std::ios::binary);
  if (!file) return 1;
  const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  const bool withLogo = std::string(argv[2]) == "1";
  return builder::build::WriteTextModeFile(argv[3], package_tool_test::FilledTemplate(bytes, withLogo)) ? 0 : 1;
}
