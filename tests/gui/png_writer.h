#pragma once
// Writes 24-bit RGB pixels as a PNG file (zlib stored blocks: no compressor needed, files stay small
// enough for screenshots).
#include <cstdint>
#include <string>
#include <vector>

namespace trenmoor::testing {

// `rgb` holds height rows of width * 3 bytes, top row first.
bool WritePng(const std::wstring& path, int width, int height, const std::vector<uint8_t>& rgb);

}  // namespace trenmoor::testing
