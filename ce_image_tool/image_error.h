#pragma once
#include <stdexcept>
#include <string>

namespace ce_image_tool {

// Why an input cannot become a CE image; the tool reports it as one line
// and the build stops.
class ImageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace ce_image_tool
