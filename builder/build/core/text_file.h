#pragma once
#include <string>
#include <string_view>

namespace builder::build {

// The bytes a C runtime text-mode write produces on Windows: every line feed
// becomes carriage return plus line feed, nothing else changes.
std::string TextModeBytes(std::string_view text);

// Creates or truncates the file and writes the text in text mode; false when
// the file cannot be opened or fully written.
bool WriteTextModeFile(const std::string& path, std::string_view text);

// True when the file can be opened for reading as text; it is closed again.
bool FileIsReadable(const std::string& path);

}  // namespace builder::build
