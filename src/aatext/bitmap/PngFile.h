#pragma once

#include <string>

#include "aatext/bitmap/Bitmap24.h"

namespace saver {

// Reads any PNG into a 24-bit bitmap (alpha is composed over black). Returns false when
// the file is missing or not a valid PNG; the bitmap is then unchanged.
bool ReadPng(const std::string& path, Bitmap24& bitmap);

// Writes the bitmap as an 8-bit-per-channel RGB PNG. Returns false on any error; no
// partial file is left behind.
bool WritePng(const std::string& path, const Bitmap24& bitmap);

}  // namespace saver
