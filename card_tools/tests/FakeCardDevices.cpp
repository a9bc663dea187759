// The fake removable disks of the card tool tests.
#include "FakeCardDevices.h"

#include <afx.h>

namespace {
struct FakeCopyContext {
    const CardCopyProgress* progress;
};

DWORD CALLBACK FakeCopyRoutine(LARGE_INTEGER total, LARGE_INTEGER transferred, LARGE_INTEGER, LARGE_INTEGER, DWORD,
    DWORD, HANDLE, HANDLE, LPVOID lpData)
{
    auto* context = static_cast<FakeCopyContext*>(lpData);
    return (*context->progress)(static_cast<ULONGLONG>(transferred.QuadPart), static_cast<ULONGLONG>(total.QuadPart))
        ? PROGRESS_CONTINUE
        : PROGRESS_CANCEL;
}
} // namespace

CFakeCardDevices::CFakeCardDevices(const CString& strRoot)
    : m_strRoot(strRoot)
    , m_hCopyGate(::CreateEvent(nullptr, TRUE, TRUE, nullptr))
{
}

CString CFakeCardDevices::InsertCard(wchar_t cDrive, const Card& card)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    Card inserted = card;
    if (inserted.strFolder.IsEmpty())
        inserted.strFolder.Format(L"%s\\card_%c", m_strRoot.GetString(), cDrive);
    ::CreateDirectory(inserted.strFolder, nullptr);
    m_cards[cDrive] = inserted;
    return inserted.strFolder;
}

void CFakeCardDevices::RemoveCard(wchar_t cDrive)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_cards.erase(cDrive);
}

CString CFakeCardDevices::CardFolder(wchar_t cDrive) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_cards.find(cDrive);
    return it == m_cards.end() ? CString() : it->second.strFolder;
}

std::vector<CString> CFakeCardDevices::Operations() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_operations;
}

void CFakeCardDevices::ClearOperations()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_operations.clear();
}

void CFakeCardDevices::SetFormatResult(bool bStarted, DWORD dwExitCode)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bFormatStarts = bStarted;
    m_dwFormatExit = dwExitCode;
}

void CFakeCardDevices::FailCopyOf(const CString& strName)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_failNames.insert(strName);
}

void CFakeCardDevices::HoldCopies()
{
    ::ResetEvent(m_hCopyGate);
}

void CFakeCardDevices::ReleaseCopies()
{
    ::SetEvent(m_hCopyGate);
}

void CFakeCardDevices::Record(const CString& operation)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_operations.push_back(operation);
}

std::vector<wchar_t> CFakeCardDevices::ProtectedDrives()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_protected;
}

void CFakeCardDevices::SetProtectedDrives(std::vector<wchar_t> drives)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_protected = std::move(drives);
}

std::vector<CRemovableDrive> CFakeCardDevices::ListRemovableDrives()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<CRemovableDrive> drives;
    for (const auto& [letter, card] : m_cards) {
        CRemovableDrive drive;
        drive.cLetter = letter;
        drive.strProduct = card.strProduct;
        drive.bSizeKnown = card.bSizeKnown;
        drive.nTotalBytes = card.nTotalBytes;
        drives.push_back(drive);
    }
    return drives;
}

bool CFakeCardDevices::GetDiskSpace(wchar_t cDrive, ULONGLONG& nTotal, ULONGLONG& nFree)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_cards.find(cDrive);
    if (it == m_cards.end())
        return false;
    nTotal = it->second.nTotalBytes;
    nFree = it->second.nFreeBytes;
    return true;
}

bool CFakeCardDevices::GetCardFileSize(wchar_t cDrive, const CString& strName, ULONGLONG& nSize)
{
    CString folder = CardFolder(cDrive);
    if (folder.IsEmpty())
        return false;
    WIN32_FILE_ATTRIBUTE_DATA data {};
    if (!::GetFileAttributesEx(folder + L"\\" + strName, GetFileExInfoStandard, &data))
        return false;
    nSize = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return true;
}

bool CFakeCardDevices::RunFormat(const CString& strCommand, DWORD& dwExitCode)
{
    Record(L"format " + strCommand);
    bool starts;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        starts = m_bFormatStarts;
        dwExitCode = m_dwFormatExit;
    }
    if (!starts)
        return false;
    // "FORMAT X:" of the command empties the card named in it.
    int at = strCommand.Find(L"FORMAT ");
    if (dwExitCode == 0 && at >= 0) {
        CString folder = CardFolder(strCommand[at + 7]);
        if (!folder.IsEmpty()) {
            RemoveTree(folder);
            ::CreateDirectory(folder, nullptr);
        }
    }
    return true;
}

bool CFakeCardDevices::CopyFileToCard(
    const CString& strSource, wchar_t cDrive, const CString& strName, const CardCopyProgress& progress)
{
    ::WaitForSingleObject(m_hCopyGate, INFINITE);
    Record(L"copy " + strName);
    CString folder = CardFolder(cDrive);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (folder.IsEmpty() || m_failNames.count(strName) != 0)
            return false;
    }
    FakeCopyContext context { &progress };
    return ::CopyFileEx(strSource, folder + L"\\" + strName, FakeCopyRoutine, &context, nullptr, 0) != FALSE;
}

bool CFakeCardDevices::EjectDrive(wchar_t cDrive)
{
    CString text;
    text.Format(L"eject %c", cDrive);
    Record(text);
    return true;
}

// --- temporary folders -------------------------------------------------------

CString CTempFolder::MakeFile(const CString& strRelative, DWORD nBytes) const
{
    CString path = File(strRelative);
    HANDLE h = ::CreateFile(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    std::vector<BYTE> data(nBytes);
    for (DWORD i = 0; i < nBytes; ++i)
        data[i] = static_cast<BYTE>(i * 7 + strRelative.GetLength());
    DWORD written = 0;
    if (nBytes > 0)
        ::WriteFile(h, data.data(), nBytes, &written, nullptr);
    ::CloseHandle(h);
    return path;
}

CString CTempFolder::MakeFolder(const CString& strRelative) const
{
    CString path = File(strRelative);
    ::CreateDirectory(path, nullptr);
    return path;
}

std::vector<BYTE> ReadFileBytes(const CString& strPath)
{
    std::vector<BYTE> data;
    HANDLE h = ::CreateFile(strPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return data;
    DWORD size = ::GetFileSize(h, nullptr);
    data.resize(size);
    DWORD read = 0;
    if (size > 0)
        ::ReadFile(h, data.data(), size, &read, nullptr);
    ::CloseHandle(h);
    data.resize(read);
    return data;
}

void RemoveTree(const CString& strPath)
{
    WIN32_FIND_DATA data {};
    HANDLE hFind = ::FindFirstFile(strPath + L"\\*", &data);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            CString name(data.cFileName);
            if (name == L"." || name == L"..")
                continue;
            CString child = strPath + L"\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else {
                ::SetFileAttributes(child, FILE_ATTRIBUTE_NORMAL);
                ::DeleteFile(child);
            }
        } while (::FindNextFile(hFind, &data));
        ::FindClose(hFind);
    }
    ::RemoveDirectory(strPath);
}
