// The installer stand-in's reader of a cabinet's setup file (*.000) on any
// bytes: it either describes the file or rejects it with runtime_error.
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "standins/ce_installer/setup_reader/setup_file_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    standins::ce_installer::SetupFileView view =
        standins::ce_installer::ReadSetupFile(std::vector<uint8_t>(data, data + size));
    standins::ce_installer::DescribeSetupFile(view);
    for (const standins::ce_installer::SetupFileView::File& file : view.files) view.FindFile(file.name);
    for (const standins::ce_installer::SetupFileView::Value& value : view.values) {
      view.FindValue(value.key, value.name);
      value.Text();
      value.Texts();
      if (value.data.size() == 4) value.Dword();
    }
  } catch (const std::runtime_error&) {
  }
  return 0;
}
