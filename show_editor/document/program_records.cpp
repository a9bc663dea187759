// Placeholders of the per-kind program elements: they write and read nothing
// yet, so projects with these kinds save without them. Each function is
// replaced by its real element code.
#include "program_records.h"

void WriteColorEffectProgram(tinyxml2::XMLDocument&, tinyxml2::XMLElement*, ProgramColorEffect*) { }
void ReadColorEffectProgram(const tinyxml2::XMLElement*, ProgramColorEffect*) { }

void WriteImageShowProgram(const CString&, bool, tinyxml2::XMLDocument&, tinyxml2::XMLElement*, ProgramImageShow*) { }
void ReadImageShowProgram(const tinyxml2::XMLElement*, ProgramImageShow*, const CString&, bool) { }

void WriteColorPlusProgram(tinyxml2::XMLDocument&, tinyxml2::XMLElement*, ProgramColorEffectPlusArray*, const CString&)
{
}
void ReadColorPlusProgram(const CString&, ProgramColorEffectPlusArray*, const tinyxml2::XMLElement*) { }
void WriteColorPlusItem(tinyxml2::XMLDocument&, tinyxml2::XMLElement*, ProgramColorEffectPlus*, const CString&) { }
void ReadColorPlusItem(const tinyxml2::XMLElement*, ProgramColorEffectPlus*, const CString&) { }
void WriteRandomAnimation(const RandomAnimation*, tinyxml2::XMLElement*, tinyxml2::XMLDocument&) { }
void ReadRandomAnimation(RandomAnimation*, const tinyxml2::XMLElement*) { }

void WriteFlickerStarProgram(tinyxml2::XMLDocument&, tinyxml2::XMLElement*, CEFlickerStar*, const CString&) { }
void ReadFlickerStarProgram(const tinyxml2::XMLElement*, CEFlickerStar*, const CString&) { }
