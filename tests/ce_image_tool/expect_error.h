#pragma once
#include <gtest/gtest.h>

#include <string>

#include "ce_image_tool/image_error.h"

namespace ce_image_tool_test {

// Runs f and checks that it refuses with a message containing part.
template <typename F>
void ExpectError(F f, const std::string& part) {
  try {
    f();
    ADD_FAILURE() << "no error; expected one containing \"" << part << "\"";
  } catch (const ce_image_tool::ImageError& e) {
    EXPECT_NE(std::string(e.what()).find(part), std::string::npos) << e.what();
  }
}

}  // namespace ce_image_tool_test
