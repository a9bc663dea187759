// CViewpanel: the preview player panel, the right pane of the main window.
// It holds the frame engine in its body, a title bar above it, and below it
// the player toolbar and the frame bar with the slider, the frame counter
// and the time text. It turns the document's play commands into button
// states and engine calls, shows the progress of preview playback, relays
// seeking, zoom, export and recording to the engine, and on its first update
// binds the document to its three panels and starts the template loader.
#pragma once

#include <afxwin.h>

#include "fw_bars.h"
#include "frame_engine.h"
#include "frame_engine_doc_link.h"
#include "my_dialog_bar.h"
#include "my_slider.h"
#include "panel_common.h"
#include "preview_canvas_adapter.h"
#include "template_loader.h"

#include <atomic>
#include <memory>
#include <thread>

class CDornelDoc;

// Button images of the player's play, pause and stop buttons.
enum PlayerImage {
    PLAYER_IMAGE_PLAY = 1,
    PLAYER_IMAGE_PAUSE = 2,
    PLAYER_IMAGE_STOP = 3,
    PLAYER_IMAGE_PLAY_LIT = 8,
    PLAYER_IMAGE_PAUSE_LIT = 9,
    PLAYER_IMAGE_STOP_LIT = 10,
};

// Sent by the loader thread when the libraries are complete.
constexpr UINT WM_TEMPLATES_LOADED = WM_APP + 0xC0;

class CViewpanel : public CView {
    DECLARE_DYNCREATE(CViewpanel)

public:
    CViewpanel();
    ~CViewpanel() override;

    void OnDraw(CDC*) override { }
    void OnInitialUpdate() override;
    CDornelDoc* GetDornelDoc() const;

    // The document's play commands.
    void StartPlay();
    void PausePlay();
    void StopPlay();

    // Progress display: the reset of a new run and one shown frame.
    void ResetProgress(int playFrames);
    void ShowFrame(int frame);

    // The dot-matrix preview window the engine hands its frames to. Set
    // before the panel's window is created to replace the panel's own
    // preview window (which it makes when none was set).
    void SetPreviewCanvas(CPreviewCanvas* canvas) { m_engine.SetCanvas(canvas); }
    // Where the loader reads the libraries from (the program's "Resource\"
    // folder unless set before the first update).
    void SetResourceFolder(const CString& folder) { m_resourceFolder = folder; }

    CCanvasContainer& GetEngine() { return m_engine; }
    CToolBar& GetToolBar() { return m_toolBar; }
    CMySlider& GetSlider() { return m_slider; }
    CStatic& GetCounter() { return m_counter; }
    CMydiallogBar& GetFrameBar() { return m_dialogBar; }
    CPanelTitleBar& GetTitleBar() { return m_titleBar; }
    CString GetTimeText() const;
    // The image a toolbar button shows.
    int GetButtonImage(UINT commandId) const;

    // The loader thread: running, and waiting for it to end.
    BOOL IsTemplateLoaderRunning() const { return m_loader.joinable() && !m_loaderDone; }
    void StopTemplateLoader();

protected:
    // Shows the zoom pop-up at a screen rectangle (tests replace it).
    virtual void TrackZoomMenu(CMenu* popup, const CRect& buttonScreenRect);

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    void OnSize(UINT nType, int cx, int cy);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnLButtonDown(UINT, CPoint) { }
    void OnMouseMove(UINT, CPoint) { }
    void OnToolbarDropDown(NMHDR* pNMHDR, LRESULT* pResult);
    void OnZoomCommand(UINT id);
    LRESULT OnCanvasCommand(WPARAM wParam, LPARAM lParam);
    LRESULT OnFrameShown(WPARAM frame, LPARAM);
    LRESULT OnExportAvi(WPARAM, LPARAM);
    LRESULT OnRecordOffline(WPARAM wParam, LPARAM lParam);
    LRESULT OnProjectChanged(WPARAM wParam, LPARAM);
    LRESULT OnSeekFrame(WPARAM frame, LPARAM);
    LRESULT OnLanguageChanged(WPARAM, LPARAM);
    LRESULT OnViewSelected(WPARAM, LPARAM);
    LRESULT OnTemplatesLoaded(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    void SetButtonImages(int play, int pause, int stop);
    void StartTemplateLoader();

    CPanelTitleBar m_titleBar;
    CToolBar m_toolBar;
    CImageList m_imageList;
    CMydiallogBar m_dialogBar; // the frame bar below the preview (dialog 344)
    CMySlider m_slider;
    CStatic m_counter;
    // The panel's own preview window; it outlives the engine that points to it.
    std::unique_ptr<CPreviewCanvasAdapter> m_ownCanvas;
    CCanvasContainer m_engine;
    std::unique_ptr<CDornelDocEngineLink> m_engineLink;
    int m_timeTextCountdown = 0;

    CString m_resourceFolder;
    std::thread m_loader;
    std::atomic<bool> m_stopLoader { false };
    std::atomic<bool> m_loaderDone { false };
    bool m_loaderStarted = false;
    std::unique_ptr<TemplateLibraries> m_loaded;
};
