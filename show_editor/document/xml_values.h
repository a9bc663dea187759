// Value conversions shared by the XML files of the show editor (the project
// file and the template files): numbers read by the C library's decimal
// rules, colour texts, ANSI strings, and attribute lookups that treat an
// empty value like a missing one.
#pragma once

#include <afx.h>

#include <tinyxml2.h>

// atoi: leading blanks and one sign, digits up to the first other character,
// no digits give 0. Digits beyond 32 bits wrap, so a "%u" of a negative
// field reads back as the same field.
int XmlTextToInt(const char* text);
// atof; a text that is no finite number gives 0.
double XmlTextToDouble(const char* text);
// A colour text: decimal, or hexadecimal with a "0x" or "0X" prefix; a text
// that does not parse gives 0.
COLORREF XmlTextToColor(const char* text);
// "0x%06X" of a colour.
CStringA XmlColorText(COLORREF color);

// The attribute's value when present and not empty, else null.
const char* NonEmptyAttribute(const tinyxml2::XMLElement* element, const char* name);

// Readers of one attribute into a field: when the attribute is present and
// not empty the field takes the converted value and true is returned; else
// the field is left alone and false is returned.
bool ReadIntAttribute(const tinyxml2::XMLElement* element, const char* name, int& field);
bool ReadFloatAttribute(const tinyxml2::XMLElement* element, const char* name, float& field);
bool ReadColorAttribute(const tinyxml2::XMLElement* element, const char* name, COLORREF& field);
bool ReadStringAttribute(const tinyxml2::XMLElement* element, const char* name, CString& field);
// A field that is stored as its low 8 bits.
bool ReadByteAttribute(const tinyxml2::XMLElement* element, const char* name, BYTE& field);

// Writers: the string goes through the ANSI code page.
void SetStringAttribute(tinyxml2::XMLElement* element, const char* name, const CString& value);
// "%u" of a field kept as a signed integer.
inline void SetUnsignedAttribute(tinyxml2::XMLElement* element, const char* name, int value)
{
    element->SetAttribute(name, static_cast<unsigned>(value));
}

// Decodes Base64 text into a fixed record: at most size bytes from its
// start, the rest zero.
void DecodeBase64Record(const char* text, void* record, size_t size);
// The Base64 text of a record, whole.
void SetBase64Attribute(tinyxml2::XMLElement* element, const char* name, const void* record, size_t size);

// Limits a value to [low, high].
inline int ClampInt(int value, int low, int high)
{
    return value < low ? low : (value > high ? high : value);
}
