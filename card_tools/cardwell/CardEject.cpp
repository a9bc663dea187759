// Ejection of a card through SetupAPI and the configuration manager: the
// volume's storage device number leads to the disk (or CD-ROM) device
// interface with the same number, whose parent device is asked to eject (or,
// when it is not removable, to remove its device subtree).
#include "CardDevices.h"

#include "afxwin.h"

#include <cfgmgr32.h>
#include <setupapi.h>
#include <winioctl.h>

namespace {
// The device interface classes of disks and CD-ROM drives.
const GUID kDiskInterface = { 0x53f56307, 0xb6bf, 0x11d0, { 0x94, 0xf2, 0x00, 0xa0, 0xc9, 0x1e, 0xfb, 0x8b } };
const GUID kCdRomInterface = { 0x53f56308, 0xb6bf, 0x11d0, { 0x94, 0xf2, 0x00, 0xa0, 0xc9, 0x1e, 0xfb, 0x8b } };

// The interface detail is read into a buffer of this size.
constexpr DWORD kDetailBuffer = 1024;
constexpr int kEjectTries = 3;
constexpr DWORD kEjectPauseMillis = 200;

bool GetDeviceNumber(HANDLE hDevice, STORAGE_DEVICE_NUMBER& number)
{
    DWORD returned = 0;
    return ::DeviceIoControl(
               hDevice, IOCTL_STORAGE_GET_DEVICE_NUMBER, nullptr, 0, &number, sizeof(number), &returned, nullptr)
        && returned >= sizeof(number);
}

// The device instance of the present interface of this class whose storage
// device number is the volume's; 0 when there is none.
DEVINST FindDeviceInstance(const GUID& interfaceClass, const STORAGE_DEVICE_NUMBER& wanted)
{
    HDEVINFO hDevInfo = ::SetupDiGetClassDevs(&interfaceClass, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (hDevInfo == INVALID_HANDLE_VALUE)
        return 0;
    DEVINST found = 0;
    alignas(SP_DEVICE_INTERFACE_DETAIL_DATA) BYTE buffer[kDetailBuffer];
    for (DWORD index = 0; found == 0; ++index) {
        SP_DEVICE_INTERFACE_DATA interfaceData {};
        interfaceData.cbSize = sizeof(interfaceData);
        if (!::SetupDiEnumDeviceInterfaces(hDevInfo, nullptr, &interfaceClass, index, &interfaceData))
            break;
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA*>(buffer);
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA);
        SP_DEVINFO_DATA devInfoData {};
        devInfoData.cbSize = sizeof(devInfoData);
        DWORD needed = 0;
        if (!::SetupDiGetDeviceInterfaceDetail(hDevInfo, &interfaceData, detail, sizeof(buffer), &needed, &devInfoData))
            continue;
        // Opened without access rights: only its number is asked.
        HANDLE hDevice = ::CreateFile(
            detail->DevicePath, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        if (hDevice == INVALID_HANDLE_VALUE)
            continue;
        STORAGE_DEVICE_NUMBER number {};
        if (GetDeviceNumber(hDevice, number) && number.DeviceNumber == wanted.DeviceNumber
            && number.DeviceType == wanted.DeviceType)
            found = devInfoData.DevInst;
        ::CloseHandle(hDevice);
    }
    ::SetupDiDestroyDeviceInfoList(hDevInfo);
    return found;
}
} // namespace

bool CWindowsCardDevices::EjectDrive(wchar_t cDrive)
{
    CString volumePath;
    volumePath.Format(L"\\\\.\\%c:", cDrive);
    HANDLE hVolume = ::CreateFile(volumePath, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
        OPEN_EXISTING, 0, nullptr);
    if (hVolume == INVALID_HANDLE_VALUE)
        return false;
    STORAGE_DEVICE_NUMBER number {};
    bool numbered = GetDeviceNumber(hVolume, number);
    ::CloseHandle(hVolume);
    if (!numbered)
        return false;

    CString root;
    root.Format(L"%c:\\", cDrive);
    const GUID* interfaceClass = nullptr;
    switch (::GetDriveType(root)) {
    case DRIVE_REMOVABLE:
    case DRIVE_FIXED:
        interfaceClass = &kDiskInterface;
        break;
    case DRIVE_CDROM:
        interfaceClass = &kCdRomInterface;
        break;
    default:
        return false;
    }
    DEVINST device = FindDeviceInstance(*interfaceClass, number);
    if (device == 0)
        return false;

    DEVINST parent = 0;
    if (::CM_Get_Parent(&parent, device, 0) != CR_SUCCESS)
        return false;
    ULONG status = 0, problem = 0;
    bool removable
        = ::CM_Get_DevNode_Status(&status, &problem, parent, 0) == CR_SUCCESS && (status & DN_REMOVABLE) != 0;
    for (int attempt = 0; attempt < kEjectTries; ++attempt) {
        if (attempt > 0)
            ::Sleep(kEjectPauseMillis);
        PNP_VETO_TYPE veto = PNP_VetoTypeUnknown;
        WCHAR vetoName[MAX_PATH] = {};
        CONFIGRET result = removable ? ::CM_Request_Device_EjectW(parent, &veto, vetoName, MAX_PATH, 0)
                                     : ::CM_Query_And_Remove_SubTreeW(parent, &veto, vetoName, MAX_PATH, 0);
        if (result == CR_SUCCESS && veto == PNP_VetoTypeUnknown)
            return true;
    }
    return false;
}
