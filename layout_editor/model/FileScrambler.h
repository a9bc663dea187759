// The whole-file scrambler: masks every byte of a file with a one-byte mask
// and appends a five-byte trailer by which a scrambled file is recognised.
// Archive-format layout files and the editor's "abt.lgo" are stored this
// way. The layout editor, the controller library and the preview program
// all build this one implementation, so their key bytes agree.
#pragma once

#include <afx.h>

#include <vector>

constexpr int kScrambleTrailerSize = 5;

// The key byte, derived from the key string "QUORBANTELFIXS".
BYTE ScramblerKeyByte();

// Scrambles the bytes in memory: masks them and appends the trailer.
void ScrambleBytes(std::vector<BYTE>& bytes);
// Unscrambles bytes that end with a trailer (masks them and drops the
// trailer) and returns true; anything else is left alone (false). The key is
// taken from the last byte, so files scrambled with another key byte open too.
bool UnscrambleBytes(std::vector<BYTE>& bytes);

// In place on a file: 1 when scrambled, 0 when the file cannot be opened,
// read or written.
int ScrambleFileInPlace(LPCWSTR path);
// In place on a file: 1 when unscrambled (trailer cut off), 0 when the file
// cannot be opened or does not end with the trailer (then it is untouched).
int UnscrambleFileInPlace(LPCWSTR path);
