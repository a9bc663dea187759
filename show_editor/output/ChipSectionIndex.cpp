// One pass over the chip database for its section names (see
// ChipSectionIndex.h).
#include "ChipSectionIndex.h"

#include <cwctype>
#include <unordered_set>
#include <vector>

namespace {

std::wstring Decode(const std::vector<BYTE>& bytes)
{
    std::wstring text;
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        const std::size_t count = (bytes.size() - 2) / 2;
        text.resize(count);
        for (std::size_t i = 0; i < count; ++i)
            text[i] = static_cast<wchar_t>(bytes[2 + 2 * i] | bytes[3 + 2 * i] << 8);
        return text;
    }
    UINT codePage = CP_ACP;
    std::size_t start = 0;
    if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        codePage = CP_UTF8;
        start = 3;
    }
    const int length = static_cast<int>(bytes.size() - start);
    if (length <= 0)
        return text;
    const char* data = reinterpret_cast<const char*>(bytes.data() + start);
    const int size = ::MultiByteToWideChar(codePage, 0, data, length, nullptr, 0);
    if (size <= 0)
        return text;
    text.resize(static_cast<std::size_t>(size));
    ::MultiByteToWideChar(codePage, 0, data, length, text.data(), size);
    return text;
}

bool ReadAll(const CString& path, std::vector<BYTE>& bytes)
{
    HANDLE file = ::CreateFileW(
        path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size {};
    bool ok = ::GetFileSizeEx(file, &size) != FALSE && size.QuadPart >= 0 && size.QuadPart < (256ll << 20);
    if (ok) {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
        DWORD read = 0;
        ok = bytes.empty()
            || (::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) != FALSE
                && read == bytes.size());
    }
    ::CloseHandle(file);
    return ok;
}

std::wstring Trimmed(const std::wstring& text, std::size_t from, std::size_t to)
{
    while (from < to && std::iswspace(text[from]))
        ++from;
    while (to > from && std::iswspace(text[to - 1]))
        --to;
    return text.substr(from, to - from);
}

std::wstring Upper(std::wstring text)
{
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(std::towupper(c));
    return text;
}

} // namespace

bool CChipSectionIndex::Load(const CString& path)
{
    m_names.clear();
    std::vector<BYTE> bytes;
    if (path.IsEmpty() || !ReadAll(path, bytes))
        return false;
    const std::wstring text = Decode(bytes);

    std::unordered_set<std::wstring> seen; // sections met, with or without a name
    std::wstring section;
    bool inFirstOccurrence = false;
    bool named = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of(L"\r\n", pos);
        if (end == std::wstring::npos)
            end = text.size();
        const std::wstring line = Trimmed(text, pos, end);
        pos = end + 1;
        if (line.empty() || line[0] == L';')
            continue;
        if (line[0] == L'[') {
            const std::size_t close = line.find(L']');
            section = Upper(Trimmed(line, 1, close == std::wstring::npos ? line.size() : close));
            inFirstOccurrence = seen.insert(section).second;
            named = false;
            continue;
        }
        if (!inFirstOccurrence || named)
            continue;
        const std::size_t equals = line.find(L'=');
        if (equals == std::wstring::npos || Upper(Trimmed(line, 0, equals)) != L"NAME")
            continue;
        named = true; // the first "Name" key counts, empty or not
        std::wstring value = Trimmed(line, equals + 1, line.size());
        if (value.size() >= 2 && value.front() == L'"' && value.back() == L'"')
            value = value.substr(1, value.size() - 2);
        if (!value.empty())
            m_names.emplace(section, CString(value.c_str()));
    }
    return true;
}

const CString* CChipSectionIndex::NameOf(const CString& section) const
{
    const auto it = m_names.find(Upper(std::wstring(section.GetString())));
    return it == m_names.end() ? nullptr : &it->second;
}
