// CDocument: the data of a document/view program, its file name and title,
// modified flag, save prompt and views; load and save through CArchive.
#pragma once

#include "fw_cmdtarget.h"

#include <vector>

class CView;
class CDocTemplate;
class CFrameWnd;

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument() = default;
    ~CDocument() override;

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCTSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);
    void ClearPathName() { m_strPathName.Empty(); }
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    // Views.
    POSITION GetFirstViewPosition() const;
    CView* GetNextView(POSITION& rPosition) const;
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    virtual void OnChangedViewList();
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0L, CObject* pHint = nullptr);

    // Life cycle.
    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
    virtual BOOL OnSaveDocument(LPCTSTR lpszPathName);
    virtual void OnCloseDocument();
    virtual void DeleteContents() { }
    virtual void ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault);
    // Asks the save question when modified; FALSE when the user cancels or
    // the save fails.
    virtual BOOL SaveModified();
    // The save question for the document called name ("Save changes to
    // name?"); a program with language files asks in the user's language.
    virtual CString GetSaveModifiedPrompt(const CString& name);
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    virtual void PreCloseFrame(CFrameWnd*) { }
    // Saves to lpszPathName, or asks for a name when it is nullptr.
    virtual BOOL DoSave(LPCTSTR lpszPathName, BOOL bReplace = TRUE);
    virtual BOOL DoFileSave();

    void OnFileSave();
    void OnFileSaveAs();
    void OnFileClose();

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    CDocTemplate* m_pDocTemplate = nullptr;
    BOOL m_bAutoDelete = TRUE;
    BOOL m_bEmbedded = FALSE;

protected:
    CString m_strTitle;
    CString m_strPathName;
    BOOL m_bModified = FALSE;
    std::vector<CView*> m_viewList;
    DECLARE_MESSAGE_MAP()
};
