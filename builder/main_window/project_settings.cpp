#include "builder/main_window/project_settings.h"

namespace builder::main_window {

void AppendKeypadDigit(std::string& admincode, char digit) {
  if (admincode.size() < kAdminCodeDigits) admincode.push_back(digit);
}

}  // namespace builder::main_window
