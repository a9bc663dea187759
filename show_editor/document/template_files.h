// The colour template files: ".ct" (colour templates), ".bct" (one built-in
// colour or texture template, read only), ".cea" (Zazez Urad preset) and
// ".ctx" (custom colour bar). Texts are in the ANSI code page; colours are
// written "0x%06X" and read as decimal or "0x" hexadecimal. Writers build the
// whole file and replace the target only when it was written completely.
#pragma once

#include <afx.h>

#include "color_template.h"
#include "program_color_effect_plus.h"

// Largest template file that is read.
constexpr size_t kMaxTemplateFileBytes = 16u * 1024 * 1024;

// ".bct": appends the file's template; 1, or 0 (nothing appended) when the
// file does not load or has no change-mode element.
int ParseColorTemplateFile(const CString& path, ColorTemplateList& templates);

// ".ct": appends the file's templates; a file that does not load adds nothing.
void ReadColorTemplateFile(const CString& path, ColorTemplateList& templates);
// Writes templates as a ".ct" file. Nothing is written for an empty list;
// false then, or when the file could not be written.
bool WriteColorTemplateFile(const CString& path, const ColorTemplateList& templates);

// ".cea": writes the program with its items; nothing (false) without a
// program or without items, false when the file could not be written.
bool WriteColorPlusFile(const CString& path, ProgramColorEffectPlusArray* program);
// Fills program from the file's first element under the root (only when
// that is a Zazez Urad program element); its items are appended. False
// without a program or when the file does not load.
bool ReadColorPlusFile(const CString& path, ProgramColorEffectPlusArray* program);

// ".ctx": writes the strip's stops; nothing (false) without a strip or
// without stops, false when the file could not be written.
bool WriteCustomBarFile(const CString& path, const ColorTemplateArrayEx* strip);
// Appends the file's stops to strip. False without a strip or when the file
// does not load.
bool ReadCustomBarFile(const CString& path, ColorTemplateArrayEx* strip);
