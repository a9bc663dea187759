// Shared helpers of the controller library tests (see TestSupport.h).
#include "TestSupport.h"

#include "AdapterTable.h"
#include "DailyLog.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace corvane_test {

namespace {

std::vector<FakeAdapter> g_adapters;
int g_calls = 0;

DWORD WINAPI FakeGetAdaptersInfo(PIP_ADAPTER_INFO info, PULONG size)
{
    ++g_calls;
    ULONG needed = ULONG(g_adapters.size() * sizeof(IP_ADAPTER_INFO));
    if (g_adapters.empty())
        return ERROR_NO_DATA;
    if (*size < needed) {
        *size = needed;
        return ERROR_BUFFER_OVERFLOW;
    }
    std::memset(info, 0, needed);
    for (std::size_t i = 0; i < g_adapters.size(); ++i) {
        IP_ADAPTER_INFO& a = info[i];
        const FakeAdapter& f = g_adapters[i];
        a.Next = i + 1 < g_adapters.size() ? &info[i + 1] : nullptr;
        std::strncpy(a.AdapterName, f.name.c_str(), sizeof a.AdapterName - 1);
        std::strncpy(a.Description, ("Fake " + f.name).c_str(), sizeof a.Description - 1);
        a.AddressLength = UINT(f.mac.size());
        std::memcpy(a.Address, f.mac.data(), f.mac.size());
        a.Type = MIB_IF_TYPE_ETHERNET;
        std::strncpy(a.IpAddressList.IpAddress.String, f.ip.c_str(), 15);
        std::strncpy(a.IpAddressList.IpMask.String, f.mask.c_str(), 15);
    }
    return NO_ERROR;
}

} // namespace

CScratchFolder::CScratchFolder()
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    static int counter = 0;
    m_path = std::wstring(temp) + L"corvane_test_" + std::to_wstring(GetCurrentProcessId()) + L"_"
        + std::to_wstring(++counter);
    std::filesystem::remove_all(m_path);
    std::filesystem::create_directories(m_path);
}

CScratchFolder::~CScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

SYSTEMTIME At(int year, int month, int day, int hour, int minute, int second)
{
    SYSTEMTIME t {};
    t.wYear = WORD(year);
    t.wMonth = WORD(month);
    t.wDay = WORD(day);
    t.wHour = WORD(hour);
    t.wMinute = WORD(minute);
    t.wSecond = WORD(second);
    return t;
}

CLogCapture::CLogCapture(const std::wstring& folder, SYSTEMTIME when)
    : m_folder(folder)
{
    CLLOG::SetProgramPathForTest(folder + L"\\show.exe");
    SetClock(when);
}

CLogCapture::~CLogCapture()
{
    CLLOG::SetProgramPathForTest(std::wstring());
    CLLOG::SetClockForTest(nullptr);
}

void CLogCapture::SetClock(SYSTEMTIME when)
{
    CLLOG::SetClockForTest([when] { return when; });
}

std::wstring CLogCapture::DayPath(int year, int month, int day) const
{
    return m_folder + L"\\LogFile\\showLog" + std::to_wstring(year) + L"\\" + std::to_wstring(month) + L"-"
        + std::to_wstring(day) + L".log";
}

std::vector<std::uint8_t> ReadFileBytes(const std::wstring& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::uint8_t> CLogCapture::DayFile(int year, int month, int day) const
{
    return ReadFileBytes(DayPath(year, month, day));
}

std::wstring CLogCapture::DayText(int year, int month, int day) const
{
    std::vector<std::uint8_t> bytes = DayFile(year, month, day);
    std::wstring text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        wchar_t c = wchar_t(bytes[i] | (bytes[i + 1] << 8));
        if (c != 0xFEFF)
            text += c;
    }
    return text;
}

CFakeAdapters::CFakeAdapters(std::vector<FakeAdapter> adapters)
{
    g_adapters = std::move(adapters);
    g_calls = 0;
    SetAdapterInfoSource(&FakeGetAdaptersInfo);
}

CFakeAdapters::~CFakeAdapters()
{
    SetAdapterInfoSource(nullptr);
    g_adapters.clear();
}

int CFakeAdapters::Calls()
{
    return g_calls;
}

CGuardedFrame::CGuardedFrame(std::size_t size)
{
    SYSTEM_INFO info {};
    GetSystemInfo(&info);
    const std::size_t page = info.dwPageSize;
    const std::size_t inside = (size + page - 1) / page * page;
    m_base = static_cast<std::uint8_t*>(
        VirtualAlloc(nullptr, inside + 2 * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    DWORD old = 0;
    if (m_base && VirtualProtect(m_base, page, PAGE_NOACCESS, &old)
        && VirtualProtect(m_base + page + inside, page, PAGE_NOACCESS, &old))
        m_data = m_base + page + inside - size;
}

CGuardedFrame::~CGuardedFrame()
{
    if (m_base)
        VirtualFree(m_base, 0, MEM_RELEASE);
}

} // namespace corvane_test
