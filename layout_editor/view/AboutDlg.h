// The layout editor's about box: its lines, caption and version come from
// the scrambled settings file "abt.lgo" in the "Logo" folder.
#pragma once

#include <afxwin.h>

// What the about box shows, read from an (unscrambled) "abt.lgo".
struct AboutContent {
    CString caption; // "About " + [APP] "2"
    CString text; // the lines, the version and the closing line
    int lineCount = 0; // [ENG] or [CHS] "count"
    int textHeight = 60; // 30 x count + 60
    int dialogHeight = 163; // textHeight + 50, at least 163
};

// Reads the content; "CHS" lines for languages 2 and 3, "ENG" otherwise.
AboutContent ReadAboutContent(const CString& iniPath, int language);

class CAboutDlg : public CDialog {
public:
    CAboutDlg();
    BOOL OnInitDialog() override;

    AboutContent m_content;
};
