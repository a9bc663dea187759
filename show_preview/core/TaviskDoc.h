// CTaviskDoc: the preview program's single document. It holds the show
// files of one folder, opens one of them at a time and keeps what playback
// needs of it (header blocks, geometry), the optional layout and the play
// state. Its mutex guards all of this between the user-interface thread
// and the playback thread; each side waits at most 2000 ms for it and, when
// the wait fails, leaves its step undone rather than going on unguarded (the
// user hears of an open or a layout given up that way).
#pragma once

#include <afxwin.h>
#include <afxmt.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "PreviewLayout.h"
#include "PreviewMessages.h"
#include "ShowFile.h"

// What the document asks of its view (CTaviskView implements it).
class IPreviewView {
public:
    virtual ~IPreviewView() = default;
    // Sizes the picture for the file and layout now chosen and, with auto
    // play, starts playing from frame 0. Runs with the document mutex held.
    virtual void ResetForFile() = 0;
};

constexpr DWORD kDocumentLockTimeoutMs = 2000;

// The program's fixed messages (it has no language files) and their caption.
constexpr LPCWSTR kMessageCaption = L"Tip";
constexpr LPCWSTR kOpenFailedText = L"文件打开失败";
constexpr LPCWSTR kLayoutRefusedText = L"布局文件读取失败，按原始数据预览";
constexpr LPCWSTR kBusyText = L"预览正忙，操作未完成，请稍后重试";

// What became of a layout choice.
enum class LayoutChoice {
    Loaded, // the layout is read and drawn
    Cleared, // no layout: the picture is raw
    Refused, // the file could not be read: the picture is raw
    Busy, // the document lock was not had: nothing changed
};
constexpr UINT ID_PREVIEW_PLAY = 32771;
constexpr UINT ID_PREVIEW_PAUSE = 32772;
constexpr UINT ID_PREVIEW_STOP = 32773;

class CTaviskDoc : public CDocument {
    DECLARE_DYNCREATE(CTaviskDoc)
public:
    CTaviskDoc();
    ~CTaviskDoc() override;

    BOOL OnNewDocument() override;

    // Opens the file at that index of the file list; false (with the message
    // "文件打开失败") when it cannot be opened or is no usable show file, and
    // (with the busy message) when the lock is not had in time.
    bool OpenShowFile(int index);
    // Chooses the layout file, or clears the layout with an empty path. A
    // refused layout and a lock not had are told to the user.
    LayoutChoice SetLayoutFile(const CString& path);
    CString GetCurrentFilePath() const;
    // Keeps the first view that is a preview view.
    void FindView();
    void FreePortRecords();

    // On the playback thread: reads frame `frame` of the current file and
    // draws it, then hands the picture to `deliver`, all under the mutex.
    // False when nothing was drawn (no file, a frame outside the file, the
    // mutex not had).
    bool RenderFrame(int frame, const std::function<void(const std::vector<BYTE>& picture, CSize size)>& deliver);

    // The picture size of the current file (and layout, when loaded).
    CSize PictureSize() const;
    bool LayoutLoaded() const { return m_layoutLoaded != 0; }

    CMutex& Mutex() { return m_mutex; }

    // Kept in the order the program keeps them.
    preview::PreviewLayout m_layout;
    CStringArray m_fileList;
    CString m_layoutPath;
    int m_playState = kPlayStateStopped;
    int m_currentIndex = -1;
    int m_autoPlay = 0;
    int m_layoutLoaded = 0;
    IPreviewView* m_view = nullptr;
    preview::ShowGeometry m_geometry;
    std::vector<BYTE> m_blockA;
    std::vector<BYTE> m_blockB;
    std::vector<BYTE> m_frameBuffer;

protected:
    void OnPreviewCommand() { }
    DECLARE_MESSAGE_MAP()

private:
    CMutex m_mutex;
};
