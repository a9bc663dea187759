// CTaviskView: the preview's form view. It shows the current frame in its
// canvas, runs the playback thread that renders the frames, and answers the
// play, pause, stop and seek requests of the main frame.
#pragma once

#include <afxwin.h>

#include <atomic>

#include "Canvas.h"
#include "PreviewPlayback.h"
#include "TaviskDoc.h"
#include "resource.h"

class CTaviskView : public CFormView, public IPreviewView, public preview::IPlaybackTarget {
    DECLARE_DYNCREATE(CTaviskView)
public:
    CTaviskView();
    ~CTaviskView() override;

    CTaviskDoc* GetDocument() const { return static_cast<CTaviskDoc*>(m_pDocument); }

    void OnInitialUpdate() override;
    void ResetForFile() override;
    void SeekFrame(int frame);

    // IPlaybackTarget.
    void RenderFrame() override;
    void PostFrameDone() override;
    void PostPlayState(WPARAM code, LPARAM value) override;
    void InvalidateCanvas() override;

    CCanvas& Canvas() { return m_canvas; }
    preview::CPreviewPlayback& Playback() { return m_playback; }
    int CurrentFrame() const { return m_playback.CurrentFrame(); }

protected:
    LRESULT OnPlayCommand(WPARAM wParam, LPARAM lParam);
    LRESULT OnFrameDone(WPARAM wParam, LPARAM lParam);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnRButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnContextMenu(CWnd* pWnd, CPoint point);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    CCanvas m_canvas;
    std::atomic<int> m_rightDrag { 0 };
    CPoint m_lastDrag { 0, 0 };
    preview::CPreviewPlayback m_playback;
};
