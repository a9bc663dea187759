// Layout template files: the save dialog the template commands share, and
// writing a template in the archive layout format all-or-nothing.
#pragma once

#include <afxwin.h>

#include "LayoutData.h"
#include "LayoutFileFormat.h"
#include "LayoutProjectSettings.h"

// The filter of the template dialogs.
extern const wchar_t kTemplateFilter[];

// The path with ".lpx" appended when it does not end with it (any case).
CString WithTemplateExtension(const CString& path);

// The save dialog of the template commands: default name "Mod_", starting
// in the template folder, asking before overwriting. True on OK with the
// chosen path (".lpx" appended when typed without it).
bool AskTemplateSavePath(CWnd* owner, CString& path);

// Writes the model as an archive layout file with the settings. The file
// is replaced only when the whole file was written. A model the template
// reader would not read back as it is (FitsTemplateArchive) is not written:
// Unrepresentable. Anything but Ok leaves the old file, if any, as it was.
LayoutWriteResult WriteTemplateFile(
    const CLayoutData& model, const CLayoutProjectSettings& settings, const CString& path);
// Tells the user why a template file was not written: a template the format
// cannot hold (LAYOUT 983) or a file that could not be written (LAYOUT 168).
void ShowTemplateWriteFailure(CWnd* owner, LayoutWriteResult result);

// How BuildPortTemplate fills its model.
struct PortTemplateBuild {
    BYTE kind = 1; // the template kind stored with it
    bool selectedOnly = false; // only the selected lamps of each port, in port order
    bool positionsOnly = false; // only cells and normalised positions; the flags start cleared
    int slots = 0; // ports of the model; 0: one per source port
};

// A model for a template of ports of the live model: the template kind, the
// live size, and the source ports' lamps (with their lamp formats; the
// whole ports' colours and tables unless only selected lamps are taken) in
// its first ports, each with room for all of its source's lamps. False
// when no port or an invalid one was given or the ports cannot be made.
bool BuildPortTemplate(
    const CLayoutData& live, const std::vector<int>& ports, const PortTemplateBuild& how, CLayoutData& out);

// BuildPortTemplate of the whole ports [first, first + count), in a model
// of as many ports as the live one: what the copy and save commands of a
// port or a controller take.
bool BuildPortRangeTemplate(const CLayoutData& live, int first, int count, BYTE kind, CLayoutData& out);
