// The layout editor's single document: owns the layout model and connects
// the framework's open and save to the two layout file formats. Saving
// always writes the current format and answers the program that started the
// editor; opening reads either format, told apart by the first ten bytes.
#pragma once

#include <afxwin.h>

#include "LayoutData.h"
#include "LayoutFile.h"

// The layout view as the document needs it: the readers' view (project
// settings and grid size) and what follows a load.
class ILayoutDocView : public ILayoutFileView {
public:
    // After a layout was read: switch to the select/move edit mode, refresh
    // the side panel's controller tree and lamp-format list, and let the
    // overview take the new width and height.
    virtual void OnLayoutLoaded() = 0;
};

class CPannexDoc : public CDocument {
    DECLARE_DYNCREATE(CPannexDoc)
public:
    CPannexDoc();
    ~CPannexDoc() override;

    // Loading reads the archive format; the document never stores through an
    // archive (its save is OnSaveDocument).
    void Serialize(CArchive& ar) override;
    BOOL OnNewDocument() override;
    // Skipped (TRUE) while the start-up code loads a command-line file
    // itself; otherwise OpenLayoutFile.
    BOOL OnOpenDocument(LPCTSTR lpszPathName) override;
    // Writes the current format. On success clears the modified state, keeps
    // the path and sends it to the caller window; a file that was not fully
    // written fails the save (the modified state stays, nothing is sent).
    BOOL OnSaveDocument(LPCTSTR lpszPathName) override;
    // The framework's save question (New or Open over a changed layout) is
    // the editor's own close question, in the editor's language.
    CString GetSaveModifiedPrompt(const CString& name) override;

    // The model's modified byte is the document's changed state.
    BOOL IsModified() override { return m_layout.m_modified != 0; }
    void SetModifiedFlag(BOOL bModified = TRUE) override { m_layout.m_modified = bModified ? 1 : 0; }

    // Reads a layout file of either format into the model. A file that
    // cannot be opened or read shows LAYOUT 168 and leaves the model, the
    // view's settings and the file on disk as they were. A scrambled archive
    // file is left unscrambled on disk once it was read.
    BOOL OpenLayoutFile(LPCTSTR lpszPathName);

    CLayoutData& GetLayout() { return m_layout; }
    const CLayoutData& GetLayout() const { return m_layout; }
    // The path of the last file saved through OnSaveDocument.
    const CString& GetSavedPath() const { return m_strSavedPath; }

    // The layout view: the main window's active view when it is a layout
    // view of this document, else this document's first layout view.
    ILayoutDocView* GetLayoutView() const;

    // File > Export > BMP (32776) and wiring report (32785); see
    // PannexDocExports.cpp.
    void OnExportBmp();
    void OnExportWiringReport();

protected:
    CLayoutData m_layout;
    CString m_strSavedPath;

    DECLARE_MESSAGE_MAP()
};
