// CEffectEditorDialog: what every modeless effect editor shares with the
// project document. It is the document's CEffectEditor (moved, shown,
// destroyed and deleted by the document), keeps the document pointer, the
// edit flag and the edited program, builds the editor's preview segment in
// the document's preview list, restarts the preview after a change and posts
// WM_EFFECT_DIALOG_CLOSED with its dialog identifier to its owner when OK,
// Cancel or the close box end it.
#pragma once

#include <afxwin.h>
#include <fw_labels.h>

#include "dornel_doc.h"

class CEffectEditorDialog : public CDialog, public CEffectEditor {
    DECLARE_DYNAMIC(CEffectEditorDialog)

public:
    CEffectEditorDialog(UINT nIDTemplate, int dialogId);
    ~CEffectEditorDialog() override;

    // Set by the opener before the window is created.
    void SetDocument(CDornelDoc* doc) { m_pDoc = doc; }
    void SetEditTarget(Program* target)
    {
        m_editMode = target != nullptr ? 1 : 0;
        m_pEditedProgram = target;
    }
    CDornelDoc* GetDocument() const { return m_pDoc; }
    Program* GetWorkingCopy() const { return m_pWorkingCopy; }
    int IsEditMode() const { return m_editMode; }

    // Modeless creation owned by the main window.
    BOOL CreateEditor(CWnd* owner);

    // CEffectEditor.
    int GetDialogId() const override { return m_dialogId; }
    using CWnd::GetWindowRect;
    CRect GetWindowRect() const override;
    void MoveTo(int left, int top) override;
    void Show() override;
    void DestroyEditor() override;

protected:
    // Appends the working copy's preview segment to the active (preview)
    // list, as the editor opens.
    void MakePreviewSegment();
    // Writes frames into the editor's own preview segment and the preview
    // settings (never the project's): the settings play the segments of all
    // editors open, the own one for playFrames (-1: frames). When the
    // preview list lost the editor's segment while the editor stayed open,
    // takeBack gives the editor a new one and makes the preview list the
    // active one; without it nothing is written. True when the frames went
    // into the editor's segment.
    bool SetPreviewFrames(int frames, int playFrames = -1, bool takeBack = true);
    // Whether the active list is the preview list and holds this editor's
    // segment.
    bool PreviewIsOwn() const;
    // Stops playback, then plays the active list from its first frame when
    // it holds this editor's preview segment.
    void RestartPreview();
    void StopPreview();
    // Hands the working copy to the document: copied into the edited program
    // in edit mode, else added as a clone to the current view.
    void HandOver();
    // The dialog is hidden and the document hears that it closed.
    void EndAndNotify(int result);
    // A text of the current language file; empty when missing.
    CString LangText(LPCTSTR section, int key) const;
    // Sets a control's text from the language file when the text exists.
    void LocalizeItem(int nID, LPCTSTR section, int key);
    // The same for a table of controls.
    void LocalizeItems(std::span<const CtrlLabel> labels);
    // Replaces the texts of a combo box's items from consecutive keys,
    // keeping each item's data and the selection; missing texts keep theirs.
    void LocalizeComboItems(int nID, LPCTSTR section, const int* keys, int count);

    void OnClose();
    DECLARE_MESSAGE_MAP()

protected:
    CDornelDoc* m_pDoc = nullptr;
    int m_editMode = 0;
    Program* m_pEditedProgram = nullptr; // owned by the project
    Program* m_pWorkingCopy = nullptr; // owned, made by the derived constructor
    const int m_dialogId;

private:
    void DetachWorkingCopyFromPreview();
    // Under the document's mutex: a new preview segment for the working copy
    // as it stands, appended to the preview list.
    void AppendPreviewSegment();
    // Under the document's mutex: the preview segment holding the working
    // copy, null when the list holds none.
    QvSegmentGourp* OwnPreviewSegment() const;
    // Under the document's mutex: the preview settings play every preview
    // segment, the editor's own for ownPlayFrames.
    void CountPreviewFrames(int ownPlayFrames);
};

// Selects the first item of a combo box whose text begins with prefix;
// returns its index or -1 (selection unchanged).
int SelectComboPrefix(CComboBox& combo, const CString& prefix);
// Selects the item whose data equals value; returns its index or -1.
int SelectComboData(CComboBox& combo, DWORD_PTR value);
