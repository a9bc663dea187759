// What the card copying tool asks of the machine's storage: the removable
// drives, their space, the hidden format process, copying onto a card and
// ejecting it. The tool reaches disks only through this interface, so tests
// put a fake that works in a temporary folder in place of the real disks.
#pragma once

#include "afx.h"

#include <functional>
#include <vector>

// One removable drive as the system describes it.
struct CRemovableDrive {
    wchar_t cLetter = 0;
    CString strProduct; // product text of the storage description, "(NULL)" when it has none
    bool bSizeKnown = false;
    ULONGLONG nTotalBytes = 0;
};

// Copy progress: bytes copied so far and the file's size. Returning false
// cancels the copy.
using CardCopyProgress = std::function<bool(ULONGLONG nCopied, ULONGLONG nTotal)>;

class ICardDevices {
public:
    virtual ~ICardDevices() = default;

    // The removable drives "A:" to "Z:" that can be opened and described.
    virtual std::vector<CRemovableDrive> ListRemovableDrives() = 0;
    // Total and free bytes of the volume of a drive; false when unknown.
    virtual bool GetDiskSpace(wchar_t cDrive, ULONGLONG& nTotal, ULONGLONG& nFree) = 0;
    // Size of a file in the card's root folder; false when there is none.
    virtual bool GetCardFileSize(wchar_t cDrive, const CString& strName, ULONGLONG& nSize) = 0;
    // Runs the format command line hidden and waits for it; false when the
    // process could not start, else its exit code in dwExitCode.
    virtual bool RunFormat(const CString& strCommand, DWORD& dwExitCode) = 0;
    // Copies a file into the card's root folder as strName, replacing a file
    // of that name; false when the copy failed.
    virtual bool CopyFileToCard(
        const CString& strSource, wchar_t cDrive, const CString& strName, const CardCopyProgress& progress)
        = 0;
    // Asks the system to eject the device that holds the drive; false when it
    // could not (the tool does not report it).
    virtual bool EjectDrive(wchar_t cDrive) = 0;
    // Drives that are never formatted whatever the lists say: the system
    // drive and the drive the tool runs from (upper-case letters).
    virtual std::vector<wchar_t> ProtectedDrives() = 0;
};

// The real disks: storage I/O controls, SetupAPI and the configuration
// manager, the system's FORMAT command and CopyFileEx.
class CWindowsCardDevices : public ICardDevices {
public:
    std::vector<CRemovableDrive> ListRemovableDrives() override;
    bool GetDiskSpace(wchar_t cDrive, ULONGLONG& nTotal, ULONGLONG& nFree) override;
    bool GetCardFileSize(wchar_t cDrive, const CString& strName, ULONGLONG& nSize) override;
    bool RunFormat(const CString& strCommand, DWORD& dwExitCode) override;
    bool CopyFileToCard(
        const CString& strSource, wchar_t cDrive, const CString& strName, const CardCopyProgress& progress) override;
    bool EjectDrive(wchar_t cDrive) override;
    std::vector<wchar_t> ProtectedDrives() override;
};
