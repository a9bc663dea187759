// The per-kind "Program" elements of colour effects, image shows, Zazez Urad
// programs with their items and random-block settings, and flicker stars.
// Each writer appends one "Program" element to the parent it is given; each
// reader fills a program created with its class defaults (null: nothing).
// Readers never fail: what a file leaves out keeps its value, and colour
// lists are kept as read, even empty ones (the renderers draw them black).
#pragma once

#include <afx.h>

#include <tinyxml2.h>

#include "ce_flicker_star.h"
#include "program_color_effect.h"
#include "program_color_effect_plus.h"
#include "program_image_show.h"
#include "random_animation.h"

// Bounds of what a file may ask for. Larger star and block counts read as
// these; items beyond the count, or whose frames would take a Zazez Urad
// program past the project's frame limit, are not read.
constexpr int kMaxFlickerStars = 100000;
constexpr int kMaxRandomDots = 100000;
constexpr int kMaxColorPlusItems = 10000;
// Strip widths in pixels (an item's colour count and a stop's width).
constexpr int kMaxStripWidth = 65536;

void WriteColorEffectProgram(tinyxml2::XMLDocument& doc, tinyxml2::XMLElement* parent, ProgramColorEffect* program);
void ReadColorEffectProgram(const tinyxml2::XMLElement* element, ProgramColorEffect* program);

// With merged resources the images and the background are first copied into
// the resource folder (MergeMediaPath) and the program's paths switched.
void WriteImageShowProgram(const CString& resourceFolder, bool withResource, tinyxml2::XMLDocument& doc,
    tinyxml2::XMLElement* parent, ProgramImageShow* program);
// An image stored in the older single-image attribute is kept when its file
// exists: in the resource folder with merged resources, else at its path.
void ReadImageShowProgram(
    const tinyxml2::XMLElement* element, ProgramImageShow* program, const CString& resourceFolder, bool withResource);

void WriteColorPlusProgram(tinyxml2::XMLDocument& doc, tinyxml2::XMLElement* parent,
    ProgramColorEffectPlusArray* program, const CString& resourceFolder);
// Appends the element's items to those the program already has; an element
// whose "ProgramType" is not 7 adds none.
void ReadColorPlusProgram(
    const CString& resourceFolder, ProgramColorEffectPlusArray* program, const tinyxml2::XMLElement* element);
void WriteColorPlusItem(tinyxml2::XMLDocument& doc, tinyxml2::XMLElement* parent, ProgramColorEffectPlus* item,
    const CString& resourceFolder);
// The stops of every "ColorContent" go into one new strip, appended last.
void ReadColorPlusItem(
    const tinyxml2::XMLElement* element, ProgramColorEffectPlus* item, const CString& resourceFolder);
void WriteRandomAnimation(const RandomAnimation* record, tinyxml2::XMLElement* parent, tinyxml2::XMLDocument& doc);
void ReadRandomAnimation(RandomAnimation* record, const tinyxml2::XMLElement* element);

void WriteFlickerStarProgram(
    tinyxml2::XMLDocument& doc, tinyxml2::XMLElement* parent, CEFlickerStar* program, const CString& resourceFolder);
// Also rebuilds the stars (RebuildFlickerStars).
void ReadFlickerStarProgram(const tinyxml2::XMLElement* element, CEFlickerStar* program, const CString& resourceFolder);

// Rebuilds the phase and start-point lists from the C runtime's generator:
// seeded with 255 one phase per star (rand() % 255), then seeded with 250
// per star x = rand() % 200, y = rand() % 50 and, with random start colours,
// three more draws for red, green and blue (each % 255); otherwise the star
// colour. The same program therefore always gets the same stars.
void RebuildFlickerStars(CEFlickerStar* program);
