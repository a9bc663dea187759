// The project document CDornelDoc as the frame engine reads it.
#pragma once

#include "dornel_doc.h"
#include "frame_engine_links.h"

class CDornelDocEngineLink : public CEngineDocument {
public:
    explicit CDornelDocEngineLink(CDornelDoc* document)
        : m_doc(document)
    {
    }

    CMutex& Mutex() override { return m_doc->m_mutex; }
    int GetPlayState() override { return m_doc->m_playState; }
    unsigned GetZoomPercent() override { return m_doc->m_zoomPercent; }
    int GetListSelector() override { return m_doc->m_listSelector; }
    SegmentList* GetActiveSegments() override { return &m_doc->GetActiveSegments(); }
    ProjSet* GetActiveSettings() override { return m_doc->GetActiveProjSet(); }
    SegmentList& GetProjectSegments() override { return m_doc->m_segments; }
    ProjSet& GetProjectSettings() override { return m_doc->m_projectSettings; }
    int GetScreen() override { return m_doc->m_screen; }
    CString GetOfflineFolder() override { return m_doc->GetOfflineFolder(); }
    BOOL GetAviPerSegment() override { return m_doc->m_aviPerSegment != 0; }
    BOOL GetFilePerSegment() override { return m_doc->m_filePerSegment != 0; }
    BOOL GetOfflineEncryption() override { return m_doc->m_offlineEncryption != 0; }
    const BYTE* GetOfflinePassword() override { return reinterpret_cast<const BYTE*>(m_doc->m_offlinePassword); }
    int GetFileSizeLimit() override { return m_doc->m_fileSizeLimit; }
    int& OfflineFileCounter() override { return m_doc->m_offlineFileCounter; }
    int& RegionEditing() override { return m_doc->m_regionEditing; }
    const NodeInfo* GetCurrentViewNode() override { return m_doc->m_pCurrentViewNode; }
    void SetDotGap(int dotGap) override { m_doc->m_dotGap = dotGap; }
    void NotifySegmentPlaying(int segmentNumber) override { m_doc->NotifySegmentPlaying(segmentNumber); }
    void PostSelectSegment(int segmentNumber) override
    {
        m_doc->Host().PostPanelMessage(
            DOC_PANEL_TREE, m_doc->m_pTreePanel, WM_SELECT_SEGMENT, static_cast<WPARAM>(segmentNumber), 0);
    }
    int ApplyFourColorMode(int mode, BYTE whiteValue) override { return m_doc->ApplyFourColorMode(mode, whiteValue); }
    void RecomputeViewCanvasRects() override { m_doc->RecomputeViewCanvasRects(); }
    void SetZoom(unsigned zoomPercent) override { m_doc->SetZoom(&zoomPercent); }
    void RefreshWindowTitle() override { m_doc->RefreshWindowTitle(); }
    void BroadcastLanguageChanged() override { m_doc->BroadcastLanguageChanged(); }
    void ApplyTrackedViewRect(const CRect& canvasRect, int handleCode) override
    {
        m_doc->ApplyTrackedViewRect(canvasRect, handleCode);
    }
    void ShowTrackedRectText(const CRect& canvasRect) override { m_doc->ShowTrackedRectText(canvasRect); }
    HWND GetMainWindow() override { return m_doc->Host().GetMainWindow(); }
    CString GetLangText(LPCTSTR section, int key) override { return m_doc->Host().GetLangText(section, key); }

private:
    CDornelDoc* m_doc;
};
