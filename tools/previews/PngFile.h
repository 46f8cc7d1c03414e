#pragma once
// Pixels to a PNG file, each pixel drawn as a zoom x zoom square.

#include <string>

#include "PAL/Bitmap.h"

// False (and a line on stderr) when the file cannot be written.
bool WriteZoomedPng(const Bitmap& image, int zoom, const std::string& path);
