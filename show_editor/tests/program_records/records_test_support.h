// Helpers of the program-record tests: element text in compact form, parsing
// a snippet, temporary folders and whole files.
#pragma once

#include <afx.h>
#include <fw_temp_folder.h>

#include <tinyxml2.h>

#include <string>

// The compact text of the first element under a parent after a writer ran.
std::string CompactText(const tinyxml2::XMLElement* element);

// Parses text into doc and returns its first element (fails the test when the
// text does not parse).
const tinyxml2::XMLElement* ParseElement(tinyxml2::XMLDocument& doc, const char* text);

using fwtest::CTempFolder;

std::string ReadFileBytes(const CString& path);
void WriteFileBytes(const CString& path, const std::string& bytes);
bool PathExists(const CString& path);
