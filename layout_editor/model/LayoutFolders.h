// Folders and files beside the layout editor (and the programs that share
// its layout code): the "Logo" and "TF" folders, the language file of a
// language id and the files of a folder. Every folder ends with a backslash.
#pragma once

#include <afx.h>

// GetAppFolder() + "Logo\": about-box settings and the program icon.
CString GetLogoFolder();
// GetAppFolder() + "TF\": the layout handed back to the calling program.
CString GetTFFolder();
// GetAppFolder() + "Template\": the layout templates of the list panel.
CString GetTemplateFolder();
// The language file of a language id in the "Config" folder: "Chs.ini" for
// 2, "Cht.ini" for 3, "French.ini" for 4, "Eng.ini" for every other id.
CString GetLanguageIniPath(int languageId);
// Appends to `names` (without emptying it first) the names of the files of
// the folder, in the file system's order; folders and the dot entries are
// left out. A folder that does not exist adds nothing.
void ListFolderFiles(CStringArray& names, const CString& folder);
