// The real disks of the card copying tool: removable drives described through
// the storage I/O controls, their space, the hidden FORMAT process and
// CopyFileEx onto the card. Ejection is in CardEject.cpp.
#include "CardDevices.h"

#include "afxwin.h"

#include <winioctl.h>

namespace {
// The storage description is read into a buffer of this size; offsets in it
// are checked against what the driver actually returned.
constexpr DWORD kDescriptorBuffer = 551;

class CHandleGuard {
public:
    explicit CHandleGuard(HANDLE h)
        : m_h(h)
    {
    }
    ~CHandleGuard()
    {
        if (m_h != INVALID_HANDLE_VALUE && m_h != nullptr)
            ::CloseHandle(m_h);
    }
    CHandleGuard(const CHandleGuard&) = delete;
    CHandleGuard& operator=(const CHandleGuard&) = delete;
    HANDLE Get() const { return m_h; }
    bool IsValid() const { return m_h != INVALID_HANDLE_VALUE && m_h != nullptr; }

private:
    HANDLE m_h;
};

CString CardPath(wchar_t cDrive, const CString& strName)
{
    CString path;
    path.Format(L"%c:\\%s", cDrive, strName.GetString());
    return path;
}

struct CardCopyContext {
    const CardCopyProgress* progress;
};

DWORD CALLBACK CopyProgressRoutine(LARGE_INTEGER total, LARGE_INTEGER transferred, LARGE_INTEGER, LARGE_INTEGER, DWORD,
    DWORD, HANDLE, HANDLE, LPVOID lpData)
{
    auto* context = static_cast<CardCopyContext*>(lpData);
    if (context->progress != nullptr && *context->progress
        && !(*context->progress)(static_cast<ULONGLONG>(transferred.QuadPart), static_cast<ULONGLONG>(total.QuadPart)))
        return PROGRESS_CANCEL;
    return PROGRESS_CONTINUE;
}
} // namespace

std::vector<CRemovableDrive> CWindowsCardDevices::ListRemovableDrives()
{
    std::vector<CRemovableDrive> drives;
    DWORD mask = ::GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if ((mask & (1u << i)) == 0)
            continue;
        wchar_t letter = static_cast<wchar_t>(L'A' + i);
        CString root;
        root.Format(L"%c:\\", letter);
        if (::GetDriveType(root) != DRIVE_REMOVABLE)
            continue;
        CString device;
        device.Format(L"\\\\.\\%c:", letter);
        CHandleGuard volume(
            ::CreateFile(device, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
        if (!volume.IsValid())
            continue;

        STORAGE_PROPERTY_QUERY query {};
        query.PropertyId = StorageDeviceProperty;
        query.QueryType = PropertyStandardQuery;
        BYTE buffer[kDescriptorBuffer] = {};
        DWORD returned = 0;
        if (!::DeviceIoControl(volume.Get(), IOCTL_STORAGE_QUERY_PROPERTY, &query, sizeof(query), buffer,
                sizeof(buffer), &returned, nullptr))
            continue;

        CRemovableDrive drive;
        drive.cLetter = letter;
        drive.strProduct = L"(NULL)";
        const auto* descriptor = reinterpret_cast<const STORAGE_DEVICE_DESCRIPTOR*>(buffer);
        DWORD limit = returned < sizeof(buffer) ? returned : static_cast<DWORD>(sizeof(buffer));
        if (returned >= offsetof(STORAGE_DEVICE_DESCRIPTOR, ProductIdOffset) + sizeof(DWORD)) {
            DWORD offset = descriptor->ProductIdOffset;
            if (offset != 0 && offset < limit) {
                // The text ends at its NUL or at the end of what was returned.
                DWORD end = offset;
                while (end < limit && buffer[end] != 0)
                    ++end;
                CStringA product(reinterpret_cast<const char*>(buffer + offset), static_cast<int>(end - offset));
                drive.strProduct = CString(product);
            }
        }
        GET_LENGTH_INFORMATION length {};
        if (::DeviceIoControl(
                volume.Get(), IOCTL_DISK_GET_LENGTH_INFO, nullptr, 0, &length, sizeof(length), &returned, nullptr)
            && returned >= sizeof(length)) {
            drive.bSizeKnown = true;
            drive.nTotalBytes = static_cast<ULONGLONG>(length.Length.QuadPart);
        }
        drives.push_back(drive);
    }
    return drives;
}

bool CWindowsCardDevices::GetDiskSpace(wchar_t cDrive, ULONGLONG& nTotal, ULONGLONG& nFree)
{
    CString root;
    root.Format(L"%c:\\", cDrive);
    ULARGE_INTEGER available {}, total {}, freeBytes {};
    if (!::GetDiskFreeSpaceEx(root, &available, &total, &freeBytes))
        return false;
    nTotal = total.QuadPart;
    nFree = available.QuadPart;
    return true;
}

bool CWindowsCardDevices::GetCardFileSize(wchar_t cDrive, const CString& strName, ULONGLONG& nSize)
{
    WIN32_FILE_ATTRIBUTE_DATA data {};
    if (!::GetFileAttributesEx(CardPath(cDrive, strName), GetFileExInfoStandard, &data)
        || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return false;
    nSize = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return true;
}

bool CWindowsCardDevices::RunFormat(const CString& strCommand, DWORD& dwExitCode)
{
    // "CMD.exe /C FORMAT E: ...": the program, then its arguments.
    int space = strCommand.Find(L' ');
    CProcessRequest request;
    request.strFile = space < 0 ? strCommand : strCommand.Left(space);
    request.strParameters = space < 0 ? CString() : strCommand.Mid(space + 1);
    request.bHidden = TRUE;
    request.bWait = TRUE;
    request.dwWaitMillis = INFINITE;
    dwExitCode = static_cast<DWORD>(-1);
    return AfxStartProcess(request, &dwExitCode) != FALSE;
}

bool CWindowsCardDevices::CopyFileToCard(
    const CString& strSource, wchar_t cDrive, const CString& strName, const CardCopyProgress& progress)
{
    CardCopyContext context { &progress };
    return ::CopyFileEx(strSource, CardPath(cDrive, strName), CopyProgressRoutine, &context, nullptr, 0) != FALSE;
}

std::vector<wchar_t> CWindowsCardDevices::ProtectedDrives()
{
    std::vector<wchar_t> drives;
    wchar_t path[MAX_PATH] = {};
    if (::GetSystemWindowsDirectory(path, MAX_PATH) >= 2 && path[1] == L':')
        drives.push_back(static_cast<wchar_t>(::towupper(path[0])));
    if (::GetModuleFileName(nullptr, path, MAX_PATH) >= 2 && path[1] == L':')
        drives.push_back(static_cast<wchar_t>(::towupper(path[0])));
    return drives;
}
