// CDlgColorChioce: the colour-effect editor. It builds an ordered list of
// colour templates from the document's template tiles, template files and
// ".ct" imports, sets the style, zoom, tiles, speed ramp, fades and mirror of
// a ProgramColorEffect, previews it live and hands it to the document. A
// worker thread redraws the strip of chosen colours into the strip bar.
#pragma once

#include <afxmt.h>

#include "color_animation_render.h"
#include "color_show_bar.h"
#include "effect_editor_dialog.h"
#include "effect_editors_resource.h"

#include <atomic>
#include <mutex>
#include <thread>

class CMyColorView;
class ProgramColorEffect;

// The strip bar paints from the editor's strip device context, which the
// strip thread redraws: painting waits for a rebuild in progress.
class CStripShowBar : public CColorShowBar {
public:
    std::mutex* m_pLock = nullptr;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class CDlgColorChioce : public CEffectEditorDialog {
    DECLARE_DYNAMIC(CDlgColorChioce)

public:
    enum { IDD = IDD_COLOR_EFFECT_EDITOR };

    CDlgColorChioce();
    ~CDlgColorChioce() override;

    // Set by the opener for a new program.
    int m_style = 0;
    int m_templateFileIndex = -1;
    // A template chosen before the editor opened (copied when it opens).
    ColorTemplate* m_pStartTemplate = nullptr;

    ProgramColorEffect* WorkingCopy() const;
    // The chosen templates (the strip thread reads them under StripLock()).
    const ColorTemplateList& ChosenTemplates() const { return m_chosen; }
    std::mutex& StripLock() { return m_stripMutex; }
    // Rebuilds of the strip so far, and the strip's device context.
    int StripBuilds() const { return m_stripBuilds.load(); }
    CDC& StripDC() { return m_memDC; }
    CStripShowBar& StripBar() { return m_strip; }
    CMyColorView* TileView() const { return m_pTileView; }
    bool StripThreadRunning() const { return m_thread.joinable(); }

    // Reads the controls into the working copy; true when the chosen
    // colours are enough for the style, zoom and canvas.
    bool UpdateWorkingCopy();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    void OnStyleOrZoomChanged();
    void OnOtherComboChanged();
    LRESULT OnTileSelected(WPARAM wParam, LPARAM lParam);
    void OnRemoveLast();
    void OnClear();
    void OnFill(UINT id);
    void OnTemplatePicker();
    void OnImport();
    void OnExport();
    DECLARE_MESSAGE_MAP()

private:
    void FillLists();
    void CreateTileView();
    void Localize();
    void SelectProgramValues();
    void StartStripThread();
    void StopStripThread();
    void WakeStrip();
    void StripThread();
    void RebuildStrip();
    void RestartWhenUsable(bool usable);
    void AppendTemplateFile(int index);
    // What OK says when the chosen colours give have of the needed steps.
    CString TooFewColoursText(int needed, int have) const;

    CMenu m_menu;
    CComboBox m_styleBox;
    CComboBox m_zoomBox;
    CComboBox m_hTileBox;
    CComboBox m_vTileBox;
    CComboBox m_startSpeedBox;
    CComboBox m_endSpeedBox;
    CComboBox m_fadeInBox;
    CComboBox m_fadeOutBox;
    CComboBox m_mirrorBox;
    int m_styleIndex = 0;
    CString m_zoomText;
    int m_hTileIndex = 0;
    int m_vTileIndex = 0;
    CString m_startSpeedText;
    CString m_endSpeedText;

    CStripShowBar m_strip;
    CCColorAnimationRender m_render;
    CDC m_memDC;
    HBITMAP m_stripBitmap = nullptr;
    HGDIOBJ m_originalBitmap = nullptr;
    CMyColorView* m_pTileView = nullptr; // deletes itself with its window
    ColorTemplateList m_chosen; // owned, in strip order

    // The strip thread and what it reads, all under m_stripMutex.
    std::mutex m_stripMutex;
    CEvent m_wake;
    std::atomic<int> m_run { 0 };
    std::atomic<int> m_exited { 1 };
    std::atomic<int> m_stripBuilds { 0 };
    std::thread m_thread;
    int m_stripStyle = 0;
    double m_stripZoom = 0.25;
    int m_projectWidth = 200;
    int m_projectHeight = 50;
    // The strip's warning with the counts ("%d" have, "%d" needed); empty
    // when the language file lacks it and the plain warning is shown.
    CString m_countedWarning;
};
