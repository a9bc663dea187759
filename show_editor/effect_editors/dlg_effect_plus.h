// CDlgEffectPlus: the Zazez Urad editor. The user composes a colour list
// (palette, colour-strip library, colour templates, custom colour bar),
// picks a style and its values for the current item, which plays live on
// the preview, and adds items to the sequence that OK hands to the document
// as one Zazez Urad program. Its four bar pictures are drawn by a thread of
// its own (color_plus_drawing.h); everything that thread reads is changed
// only under the editor's one lock.
#pragma once

#include <afxcmn.h>

#include "color_plus_drawing.h"
#include "color_show_bar.h"
#include "color_skin_button.h"
#include "dlg_color_template.h"
#include "effect_editor_dialog.h"
#include "effect_plus_resource.h"

#include <functional>

class CMyColorView;

class CDlgEffectPlus : public CEffectEditorDialog {
    DECLARE_DYNAMIC(CDlgEffectPlus)

public:
    enum { IDD = IDD_EFFECT_PLUS_EDITOR };

    CDlgEffectPlus();
    ~CDlgEffectPlus() override;

    // The program being built (what OK hands over) and the item the preview plays.
    ProgramColorEffectPlusArray& Sequence() { return m_sequence; }
    ProgramColorEffectPlus* CurrentItem() const { return m_pCurrent; }
    // The item of the sequence that add-current writes back into, or null.
    ProgramColorEffectPlus* EditedItem() const { return m_pEditedItem; }
    int CurrentStyle() const { return m_style; }
    int TransitionCount() const { return m_transition; }
    PlusEditorShared& Shared() { return m_shared; }
    CPlusDrawWorker& Worker() { return m_worker; }
    HMENU StyleMenu() const { return m_styleMenu; }
    CDlgPopView* PopList() const { return m_pPopList; }
    const EffectSnapList& Snapshots() const { return m_snapshots; }
    CMyColorView* TileView() const { return m_pTileView; }
    CColorShowBar& ColorBar() { return m_colorBar; }
    CColorShowBar& SequenceBar() { return m_sequenceBar; }
    CColorShowBar& PaletteBar() { return m_paletteBar; }
    CColorShowBar& CustomBar() { return m_customBar; }
    CSkinColorButton& CurrentColorButton() { return m_currentColor; }

    // The frame proposal for a colour list w pixels wide; sets the current
    // item's colour count to w.
    int ComputeItemFrames(int w);
    // Reads the controls into the current item and the preview frames;
    // whether the item has frames.
    bool ApplyToCurrentItem();
    void DestroyEditor() override;

    // The name of a style code; "UNKNOWN" when the language has none.
    CString GetPlusStyleName(int code) const;
    void SelectPlusStyle(int code);
    void ShowBlockControls(bool show);
    void LoadItem(const ProgramColorEffectPlus& item);
    void DeleteLibraryStrip(int t);
    void AddCustomBarToList();
    void SaveCustomColourBar();
    void FillRepeat(int n);
    // Changes the colour list under the editor lock, then redraws it.
    void ChangeColors(const std::function<void(ColorStripList&)>& change);
    // Changes the custom stops under the editor lock, then redraws them.
    void ChangeStops(const std::function<void(PlusEditorShared&)>& change);
    // The pictures the drawing thread finished, put into the bars now.
    void TakePictures();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
    void OnCancel() override;

    // Items and frames (dlg_effect_plus.cpp).
    LRESULT OnStripReady(WPARAM wParam, LPARAM lParam);
    LRESULT OnPicturesReady(WPARAM wParam, LPARAM lParam);
    void OnFramesKillFocus();
    void OnStepChosen();
    void OnStepKillFocus();
    void OnRepeatChosen();
    void OnRepeatKillFocus();
    void OnApplyAndRestart();
    void OnAddCurrent();
    void OnRemoveItem();
    void OnItemList();
    LRESULT OnSnapshotPicked(WPARAM wParam, LPARAM lParam);
    void OnMove(int x, int y);

    // Colours (dlg_effect_plus_colors.cpp).
    void OnPaletteButton(UINT id);
    LRESULT OnTrackerMoved(WPARAM wParam, LPARAM lParam);
    LRESULT OnBarLButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnBarRButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnBarDoubleClick(WPARAM wParam, LPARAM lParam);
    LRESULT OnTileSelected(WPARAM wParam, LPARAM lParam);
    LRESULT OnTileDelete(WPARAM wParam, LPARAM lParam);
    void OnClearColors();
    void OnDeleteColor();
    void OnRemoveStop();
    void OnFillMenu();
    void OnFill(UINT id);
    void OnColorTemplate();
    void OnTransitionChosen();
    void OnTransitionTyped();
    void OnGradientClicked();
    void OnAddCustom();
    void OnSave();
    void OnImport();
    void OnExport();

    // Styles and blocks (dlg_effect_plus_styles.cpp).
    void OnStyleDropDown();
    void OnBlockWidthChosen();
    void OnBlockWidthTyped();
    void OnBlockListChosen(UINT id);

    DECLARE_MESSAGE_MAP()

private:
    void CreateDrawingContexts();
    void FitPalette();
    void CreateTileView();
    void FillLists();
    void Localize();
    void BuildPlusStyleMenu();
    void LoadRandomSettings();
    void ReadRandomSettings();
    void StopPlayback();
    void Restart();
    void ApplyAndRestart();
    void SetFramesBox(int frames);
    int FramesBox() const;
    int ComboNumber(int id) const;
    int ComboIndex(int id) const;
    void SetAddButtonText(bool editing);
    void ClosePopList();
    void PlacePopList();
    void FreeSnapshots();
    void RefillTiles();
    void HandOverSequence();
    void Redraw(int command) { m_worker.Request(command); }
    void PaletteReleased(CPoint press, CPoint release);
    void AppendStrip(ColorTemplateArrayEx* strip);
    CString ResourceFolder() const;

    // The drawing thread and what it reads.
    PlusEditorShared m_shared;
    CPlusDrawWorker m_worker { m_shared };
    CDC m_memDC[PLUS_PIC_COUNT];
    CPlusBitmap m_shown[PLUS_PIC_COUNT];
    HGDIOBJ m_originalBitmap[PLUS_PIC_COUNT] = {};

    CColorShowBar m_sequenceBar;
    CColorShowBar m_colorBar;
    CColorShowBar m_paletteBar;
    CColorShowBar m_customBar;
    CSkinColorButton m_paletteButtons[7];
    CSkinColorButton m_currentColor;
    CSpinButtonCtrl m_framesSpin;
    CMyColorView* m_pTileView = nullptr; // deletes itself with its window
    CDlgPopView* m_pPopList = nullptr;
    HMENU m_styleMenu = nullptr;
    CMenu m_menuBar;

    ProgramColorEffectPlusArray m_sequence; // what OK hands over
    ProgramColorEffectPlusArray* m_pPreview = nullptr; // the working copy: plays the current item only
    ProgramColorEffectPlus* m_pCurrent = nullptr; // owned by m_pPreview
    ProgramColorEffectPlus* m_pEditedItem = nullptr; // an item of m_sequence, or null
    EffectSnapList m_snapshots; // owned, with their thumbnails
    std::vector<int> m_snapshotItems; // the sequence item of each snapshot
    RandomAnimation m_random;
    int m_style = 0;
    int m_transition = 16;
    int m_frames = 0;
    CPoint m_lastDrag { 0, 0 }; // of the custom stop being dragged
    BOOL m_gradient = TRUE;
};

// A style name's text from a language text source: "UNKNOWN" when empty.
CString PlusStyleName(const std::function<CString(LPCTSTR, int)>& texts, int code);
