// A stand-in for the machine's removable disks: each card is a folder under a
// temporary folder; formatting empties it, copying writes into it, and every
// operation is recorded in order. Nothing here touches a real disk.
#pragma once

#include "CardDevices.h"

#include <fw_temp_folder.h>

#include <map>
#include <mutex>
#include <set>
#include <vector>

// One fake card.
struct CFakeCard {
    CString strProduct = L"Fake SD";
    bool bSizeKnown = true;
    ULONGLONG nTotalBytes = 8ull << 30;
    ULONGLONG nFreeBytes = 8ull << 30;
    CString strFolder; // where its files go
};

class CFakeCardDevices : public ICardDevices {
public:
    using Card = CFakeCard;

    // Cards live in folders under strRoot (created as needed).
    explicit CFakeCardDevices(const CString& strRoot);

    // Inserts (or replaces) a card; returns its folder.
    CString InsertCard(wchar_t cDrive, const Card& card = Card());
    void RemoveCard(wchar_t cDrive);
    CString CardFolder(wchar_t cDrive) const;

    // Operations in order: "format <command>", "copy <name>", "eject <letter>".
    std::vector<CString> Operations() const;
    void ClearOperations();

    // Behaviour of the next operations.
    void SetFormatResult(bool bStarted, DWORD dwExitCode);
    void FailCopyOf(const CString& strName);
    // While set, copies wait for ReleaseCopies (to look at the dialog mid-write).
    void HoldCopies();
    void ReleaseCopies();

    std::vector<CRemovableDrive> ListRemovableDrives() override;
    bool GetDiskSpace(wchar_t cDrive, ULONGLONG& nTotal, ULONGLONG& nFree) override;
    bool GetCardFileSize(wchar_t cDrive, const CString& strName, ULONGLONG& nSize) override;
    bool RunFormat(const CString& strCommand, DWORD& dwExitCode) override;
    bool CopyFileToCard(
        const CString& strSource, wchar_t cDrive, const CString& strName, const CardCopyProgress& progress) override;
    bool EjectDrive(wchar_t cDrive) override;
    std::vector<wchar_t> ProtectedDrives() override;
    // The drives reported as the system's and the program's (none by default).
    void SetProtectedDrives(std::vector<wchar_t> drives);

private:
    void Record(const CString& operation);

    CString m_strRoot;
    mutable std::mutex m_mutex;
    std::map<wchar_t, Card> m_cards;
    std::vector<CString> m_operations;
    bool m_bFormatStarts = true;
    DWORD m_dwFormatExit = 0;
    std::set<CString> m_failNames;
    HANDLE m_hCopyGate;
    std::vector<wchar_t> m_protected;
};

// The shared temporary folder, with the files and folders a card holds.
class CTempFolder : public fwtest::CTempFolder {
public:
    CTempFolder()
        : fwtest::CTempFolder(L"cardtools")
    {
    }
    // Creates a file of nBytes bytes (a pattern) under the folder; returns its path.
    CString MakeFile(const CString& strRelative, DWORD nBytes = 100) const;
    CString MakeFolder(const CString& strRelative) const;
};

// The bytes of a file, empty when it cannot be read.
std::vector<BYTE> ReadFileBytes(const CString& strPath);
void RemoveTree(const CString& strPath);
