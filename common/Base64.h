// Base64 with the standard alphabet and "=" padding, no line breaks: the
// binary records and embedded files of the project file.
#pragma once

#include <string>

// Four characters per three bytes; a last group of one or two bytes gives
// two or three characters and "=" up to four.
std::string Base64Encode(const unsigned char* data, size_t count);
// Decodes up to the first "=" or the first character outside the alphabet;
// a last group of two or three characters gives one or two bytes, a last
// single character nothing. The result may hold NUL bytes.
std::string Base64Decode(const char* text, size_t count);

std::string Base64EncodeString(const std::string& bytes);
std::string Base64DecodeString(const std::string& text);
