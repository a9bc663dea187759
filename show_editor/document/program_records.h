// The per-kind "Program" elements of colour effects, image shows, Zazez Urad
// programs with their items and random-block settings, and flicker stars.
// Each writer appends one "Program" element to the parent it is given; each
// reader fills a program created with its class defaults (null: nothing).
#pragma once

#include <afx.h>

#include <tinyxml2.h>

#include "ce_flicker_star.h"
#include "program_color_effect.h"
#include "program_color_effect_plus.h"
#include "program_image_show.h"
#include "random_animation.h"

void WriteColorEffectProgram(tinyxml2::XMLDocument& doc, tinyxml2::XMLElement* parent, ProgramColorEffect* program);
void ReadColorEffectProgram(const tinyxml2::XMLElement* element, ProgramColorEffect* program);

// With merged resources the images and the background are first copied into
// the resource folder (MergeMediaPath) and the program's paths switched.
void WriteImageShowProgram(const CString& resourceFolder, bool withResource, tinyxml2::XMLDocument& doc,
    tinyxml2::XMLElement* parent, ProgramImageShow* program);
void ReadImageShowProgram(
    const tinyxml2::XMLElement* element, ProgramImageShow* program, const CString& resourceFolder, bool withResource);

void WriteColorPlusProgram(tinyxml2::XMLDocument& doc, tinyxml2::XMLElement* parent,
    ProgramColorEffectPlusArray* program, const CString& resourceFolder);
void ReadColorPlusProgram(
    const CString& resourceFolder, ProgramColorEffectPlusArray* program, const tinyxml2::XMLElement* element);
void WriteColorPlusItem(tinyxml2::XMLDocument& doc, tinyxml2::XMLElement* parent, ProgramColorEffectPlus* item,
    const CString& resourceFolder);
void ReadColorPlusItem(
    const tinyxml2::XMLElement* element, ProgramColorEffectPlus* item, const CString& resourceFolder);
void WriteRandomAnimation(const RandomAnimation* record, tinyxml2::XMLElement* parent, tinyxml2::XMLDocument& doc);
void ReadRandomAnimation(RandomAnimation* record, const tinyxml2::XMLElement* element);

void WriteFlickerStarProgram(
    tinyxml2::XMLDocument& doc, tinyxml2::XMLElement* parent, CEFlickerStar* program, const CString& resourceFolder);
void ReadFlickerStarProgram(const tinyxml2::XMLElement* element, CEFlickerStar* program, const CString& resourceFolder);
