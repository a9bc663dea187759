// Pieces shared by the per-kind program elements and the template files:
// the frame attributes every program element carries, colour lists as
// "Content" children, and the bounds applied to what a file says.
#pragma once

#include <afx.h>

#include <tinyxml2.h>

#include "color_template.h"
#include "node_info.h"
#include "program.h"

// Writes "PROP_PROG_ORGFRAME", "PROP_PROG_VTILE", "PROP_PROG_HTILE",
// "PROP_PROG_SFRAME", "PROP_PROG_EFRAME" ("%u"), "PROP_PROG_SSPEED" and
// "PROP_PROG_ESPEED" ("%.8g"), in this order.
void SetProgramFrameAttributes(tinyxml2::XMLElement* element, const Program* program);
// Reads the same attributes; a missing or empty one leaves its field alone.
void ReadProgramFrameAttributes(const tinyxml2::XMLElement* element, Program* program);
// Brings the frames and tiles of a program read from a file into the ranges
// the frame counting and the renderers work with.
void ClampProgramFrames(Program* program);

// The node record's name, or an empty text without a record.
CString NodeNameOf(const NodeInfo* node);

// A float attribute written as "%.2f".
void SetFixed2Attribute(tinyxml2::XMLElement* element, const char* name, float value);

// Appends one "Content" child per colour, whose text is "0x%06X".
void AppendColorContents(tinyxml2::XMLDocument& doc, tinyxml2::XMLElement* parent, const ColorList& colors);
// Appends to colors the colour of every "Content" child of parent, in order:
// the text of its first child in decimal or "0x" hexadecimal; no text or a
// text that does not parse gives 0.
void ReadColorContents(const tinyxml2::XMLElement* parent, ColorList& colors);

// An attribute's value as a number truncated to an integer (so "12.7" and
// "1e2" read as 12 and 100), limited to the int range; false (field left
// alone) when missing or empty.
bool ReadTruncatedAttribute(const tinyxml2::XMLElement* element, const char* name, int& field);
