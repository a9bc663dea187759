// CDlgImportDirAni: one folder page of the animation library browser. It
// shows the SWF, AVI and TOL files of a folder the user added as tiles; the
// thumbnails are drawn on a worker thread so that the browser opens at once.
// The thread posts its result to the page and never waits for the page;
// the page's destruction stops and joins it, so the thread never touches a
// deleted page.
#pragma once

#include <afxwin.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "dornel_doc.h"
#include "media_editors_resource.h"

class CMyColorView;

// Sent by a page's thumbnail scan when it has finished (posted, in fact).
constexpr UINT WM_FOLDER_THUMBNAILS_READY = WM_USER + 8192;

// Thumbnails of a folder's animations, owned (bitmaps deleted with them).
class CFolderThumbnails {
public:
    CFolderThumbnails() = default;
    ~CFolderThumbnails() { Clear(); }
    CFolderThumbnails(const CFolderThumbnails&) = delete;
    CFolderThumbnails& operator=(const CFolderThumbnails&) = delete;
    void Clear();
    void Add(CBitmap* thumb, const CString& path);
    std::vector<S_AniPreView*> m_items;
};

// The names in folder ("*.*") that hold a ".", in name order.
std::vector<CString> ListFolderEntries(const CString& folder);
// Draws a 256 x 256 thumbnail into out for each listed name that is a file
// ending in .SWF, .AVI or .TOL (any case). An entry that has vanished since
// the listing is skipped and the rest still drawn; a file no decoder opens
// gives no thumbnail. stop is looked at before each entry.
void DrawFolderAnimations(const CString& folder, const std::vector<CString>& names, CFolderThumbnails& out,
    const std::atomic<bool>* stop = nullptr);
// Both of the above.
void ScanFolderAnimations(const CString& folder, CFolderThumbnails& out, const std::atomic<bool>* stop = nullptr);

class CDlgImportDirAni : public CDialogEx {
    DECLARE_DYNAMIC(CDlgImportDirAni)

public:
    enum { IDD = IDD_IMPORT_DIR_ANI };

    explicit CDlgImportDirAni(const CString& folder);
    ~CDlgImportDirAni() override;

    // The file of the selected tile; empty, after HINT 1 (through text),
    // when no tile is selected.
    CString GetSelectedFile(const CString& noSelectionText);
    const CString& Folder() const { return m_folder; }
    bool IsLoading() const { return m_thread.joinable(); }
    // Stops a running scan and waits for it to end.
    void StopScan();
    // Reads the folder at once on this thread (the browse button's way).
    void LoadFolderAnimations(const CString& folder);

    CMyColorView* m_pTileView = nullptr; // deletes itself with its window
    CFolderThumbnails m_thumbs;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override { }
    void OnCancel() override { }
    void OnDestroy();
    void OnBrowse();
    LRESULT OnThumbnailsReady(WPARAM, LPARAM);
    LRESULT OnTileSelected(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void FillTiles();

    CString m_folder; // the remembered folder (tab text, settings file)
    std::thread m_thread;
    std::atomic<bool> m_stop { false };
    // Written by the thread, taken over on the ready message.
    std::unique_ptr<CFolderThumbnails> m_scanned;
};
