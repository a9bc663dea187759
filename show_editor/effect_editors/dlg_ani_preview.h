// CDlgAniPreview: the animation library browser. Its first tab shows the
// document's built-in animations, each middle tab a folder the user added
// (a CDlgImportDirAni page), and the last tab adds a folder. A click on a
// tile plays that animation in the preview; OK hands the chosen file to the
// video import editor. The browser survives OK and Cancel hidden, and the
// document shows it again on the next command; the folders are remembered
// in the settings file.
#pragma once

#include "effect_editor_dialog.h"
#include "media_editors_resource.h"

#include <vector>

class CDlgImportDirAni;
class CMyColorView;
class ProgramVideo;

class CDlgAniPreview : public CEffectEditorDialog {
    DECLARE_DYNAMIC(CDlgAniPreview)

public:
    enum { IDD = IDD_ANI_PREVIEW };

    CDlgAniPreview();
    ~CDlgAniPreview() override;

    ProgramVideo* PreviewProgram() const;
    // CEffectEditor: before the document shows the browser again.
    void BuildPreviewSegment() override;
    void LocalizeLabels() override;

    int PageCount() const { return static_cast<int>(m_pages.size()); }
    CDlgImportDirAni* Page(int index) const;
    // Tab index of the "add" tab.
    int AddTabIndex() const { return PageCount() + 1; }
    // Shows the page of the current tab (asking for a new folder on the
    // "add" tab).
    void OnTabSelection();

    CMyColorView* m_pBuiltIn = nullptr; // deletes itself with its window
    CString m_chosenPath;
    CTabCtrl m_tab;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnClose();
    void OnDestroy();
    void OnTabChanged(NMHDR*, LRESULT* result);
    void OnTabRightClick(NMHDR*, LRESULT* result);
    void OnDeleteFolder();
    LRESULT OnTileSelected(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    CRect PageArea() const;
    CDlgImportDirAni* AddPage(const CString& folder);
    void InsertTab(int index, const CString& text, int image);
    void SetTabText(int index, const CString& text);
    void SaveFolders();
    void Preview();
    void DestroyPages();
    CString HintNoSelection() const;

    HIMAGELIST m_images = nullptr;
    std::vector<CDlgImportDirAni*> m_pages; // owned, page i is tab i + 1
};
