// CDlgExportAvi: the AVI export options dialog. The frame engine makes a new
// one for every export request (through the factory below), runs it
// modally and drives its progress while it writes the video; the dialog's OK
// asks for the output file and sends it to the engine.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

#include "frame_engine.h"
#include "frame_engine_links.h"
#include "output_dialogs_resource.h"

class CDornelDoc;

class CDlgExportAvi : public CDialogEx, public CAviExportDialog {
public:
    enum { IDD = IDD_EXPORT_AVI };

    // engine: the window that receives WM_EXPORT_AVI with the chosen path
    // (the frame engine); null exports nothing.
    CDlgExportAvi(CWnd* engine, CDornelDoc* doc, CWnd* parent = nullptr);

    // CAviExportDialog
    INT_PTR RunModal() override { return DoModal(); }
    HWND GetSafeHwnd() const override { return m_hWnd; }
    void BeginProgress(int totalFrames) override;
    BOOL StepProgress(int frame) override;

    int m_sizeSource = 0; // 0 project size, 1 size on screen
    int m_bySegment = 0; // one AVI file per segment
    int GetTotalFrames() const { return m_totalFrames; }
    int GetPosition() const { return m_position; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnBySegment();
    void OnSizeSource();
    void OnClose();
    DECLARE_MESSAGE_MAP()

private:
    void StoreBySegment();

    CProgressCtrl m_progress;
    CWnd* m_pEngine;
    int m_totalFrames = 0;
    int m_position = 0;
    bool m_exporting = false;
    CString m_progressFormat; // the caption while exporting, with two "%d"
    CDornelDoc* m_pDoc;
};

// The factory the frame engine creates its export dialogs with; the program
// binds it with CCanvasContainer::SetExportDialogFactory.
CCanvasContainer::ExportDialogFactory MakeAviExportDialogFactory(CDornelDoc* doc);
