// Readers of the tags that describe geometry: shapes, morph shapes, fonts
// and static texts. Each takes the tag body after nothing has been read and
// returns false when the body is malformed; the caller then skips the tag.
#pragma once

#include "swf_movie.h"

#include <cstddef>
#include <cstdint>

namespace flossar {

// DefineShape 1 to 4 (version = 1..4).
bool ParseShapeTag(const uint8_t* body, size_t size, int version, Movie& movie, uint16_t& id, ShapeData& out);
// DefineMorphShape (version 1) and DefineMorphShape2 (version 2).
bool ParseMorphTag(const uint8_t* body, size_t size, int version, Movie& movie, uint16_t& id, MorphData& out);
// DefineFont (version 1), DefineFont2 (2), DefineFont3 (3).
bool ParseFontTag(const uint8_t* body, size_t size, int version, Movie& movie, uint16_t& id, FontData& out);
// DefineText (version 1) and DefineText2 (2).
bool ParseTextTag(const uint8_t* body, size_t size, int version, Movie& movie, uint16_t& id, TextData& out);

// The shape of a morph at ratio t (0 = start, 1 = end).
ShapeData MorphAt(const MorphData& morph, double t);

} // namespace flossar
