#pragma once
// One entry point per file reader, taking raw bytes. Each checks the reader's invariants and
// returns false (after reporting through the given sink) when one does not hold. They build
// into the GoogleTest mutation loop and, with clang and LV_FUZZ=ON, into libFuzzer targets.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace fuzz {

using Sink = std::function<void(const std::string& failure)>;

// DecodeText, then the text-resource parser.
bool TextResource(const uint8_t* data, size_t size, const Sink& fail);
// The bitmap-font description parser, then measuring and drawing the font it made.
bool BitmapFontDescription(const uint8_t* data, size_t size, const Sink& fail);

// Once per process: the fatal path throws, and a headless display for the drawing checks.
void Prepare();

}  // namespace fuzz
