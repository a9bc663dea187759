// Bitmap tags: lossless bitmaps (zlib, palette / 15-bit / 32-bit) and
// encoded ones (JPEG with or without shared tables and an alpha plane; PNG
// and GIF in the same tags of later versions). Sizes are checked before any
// pixel memory is taken; decoding happens on first use.
#pragma once

#include "swf_movie.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace flossar {

// Reads a bitmap tag into out without decoding it; false for a malformed tag
// or a bitmap larger than the limits.
bool ParseBitmapTag(
    int code, const uint8_t* body, size_t size, const std::vector<uint8_t>& jpegTables, uint16_t& id, BitmapData& out);

// Decodes into out.pixels (premultiplied, top-down); false when the data is
// broken, larger than pixelBudget pixels or of an unknown kind. Encoded
// images need GDI+ to be started.
bool DecodeBitmap(BitmapData& out, int64_t pixelBudget);

// The width and height an encoded image claims in its header (JPEG, PNG,
// GIF); false when the header is not one of those.
bool EncodedImageSize(const std::vector<uint8_t>& data, int& width, int& height);

} // namespace flossar
