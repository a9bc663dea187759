// The DMX address file.
#include "DmxAddressFile.h"

#include <fw_replacefile.h>

const wchar_t* const kDmxChipTypes[5] = { L"SLX15", L"DMX512-AP", L"UCS512", L"SM16512", L"UCS512C" };

namespace {
// The file's Chinese words are written in GBK whatever code page the system
// uses: the bytes a Chinese system writes, never "?" on another one.
constexpr UINT kFileCodePage = 936;

CStringA ToFileBytes(const CString& text)
{
    if (text.IsEmpty())
        return CStringA();
    int length = ::WideCharToMultiByte(kFileCodePage, 0, text, text.GetLength(), nullptr, 0, nullptr, nullptr);
    CStringA result;
    if (length <= 0)
        return result;
    char* buffer = result.GetBuffer(length);
    ::WideCharToMultiByte(kFileCodePage, 0, text, text.GetLength(), buffer, length, nullptr, nullptr);
    result.ReleaseBuffer(length);
    return result;
}

void BuildLines(int nChipType, int nFixtureNumber, int nChannels, CString (&lines)[5])
{
    lines[0] = L"-----QVPELLOX文件写地址" + CString(L'-', 52) + L"\r\n";
    lines[1].Format(L"芯片类型        =%d     //0:SLX15;1:DMX512-AP;2:UCS512;3:SM16512;4:UCS512C\r\n", nChipType);
    lines[2].Format(L"灯具编号        =%d\t//起始地址等于：(灯具编号-1)*灯具通道数+1 \r\n", nFixtureNumber);
    lines[3].Format(L"灯具通道数      =%d      //灯具通道数就是地址递增数\r\n", nChannels);
    lines[4] = L"-----请注意修改参数时，数字一定要紧跟在等号之后" + CString(L'-', 28) + L"\r\n";
}
} // namespace

CString BuildDmxAddressText(int nChipType, int nFixtureNumber, int nChannels)
{
    CString lines[5];
    BuildLines(nChipType, nFixtureNumber, nChannels, lines);
    CString text;
    for (const CString& line : lines)
        text += line;
    return text;
}

CStringA BuildDmxAddressFile(int nChipType, int nFixtureNumber, int nChannels)
{
    CString lines[5];
    BuildLines(nChipType, nFixtureNumber, nChannels, lines);
    CStringA bytes;
    for (const CString& line : lines)
        bytes += ToFileBytes(line);
    return bytes;
}

BOOL WriteDmxAddressFile(LPCTSTR lpszPath, int nChipType, int nFixtureNumber, int nChannels)
{
    const CStringA bytes = BuildDmxAddressFile(nChipType, nFixtureNumber, nChannels);
    return AfxWriteFileReplacing(lpszPath, bytes.GetString(), static_cast<size_t>(bytes.GetLength()));
}
