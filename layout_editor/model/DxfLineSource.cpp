// Line and number reading of DXF drawings.
#include "DxfLineSource.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>

namespace {

constexpr size_t kChunkBytes = 1 << 20;

bool IsCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

} // namespace

CDxfLineSource::~CDxfLineSource()
{
    Close();
}

bool CDxfLineSource::Open(LPCWSTR path)
{
    Close();
    if (path == nullptr)
        return false;
    m_file = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (m_file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size {};
    if (!::GetFileSizeEx(m_file, &size) || size.QuadPart < 0) {
        Close();
        return false;
    }
    m_length = static_cast<ULONGLONG>(size.QuadPart);
    m_buffer.assign(kChunkBytes + kMaxLineBytes, 0);
    m_begin = m_end = 0;
    m_eof = false;
    return true;
}

void CDxfLineSource::Close()
{
    if (m_file != INVALID_HANDLE_VALUE)
        ::CloseHandle(m_file);
    m_file = INVALID_HANDLE_VALUE;
    m_buffer.clear();
    m_buffer.shrink_to_fit();
    m_begin = m_end = 0;
    m_eof = true;
}

bool CDxfLineSource::Fill()
{
    if (m_eof || m_file == INVALID_HANDLE_VALUE)
        return false;
    if (m_begin > 0) {
        std::memmove(m_buffer.data(), m_buffer.data() + m_begin, m_end - m_begin);
        m_end -= m_begin;
        m_begin = 0;
    }
    const size_t room = m_buffer.size() - m_end;
    if (room == 0)
        return false;
    DWORD got = 0;
    if (!::ReadFile(m_file, m_buffer.data() + m_end, static_cast<DWORD>(room), &got, nullptr) || got == 0) {
        m_eof = true;
        return false;
    }
    m_end += got;
    return true;
}

bool CDxfLineSource::Next(std::string_view& line)
{
    for (;;) {
        const char* start = m_buffer.data() + m_begin;
        const size_t pending = m_end - m_begin;
        const char* newline = static_cast<const char*>(std::memchr(start, '\n', pending));
        if (newline != nullptr) {
            size_t length = static_cast<size_t>(newline - start);
            m_begin += length + 1;
            if (length > 0 && start[length - 1] == '\r')
                --length;
            line = std::string_view(start, std::min(length, kMaxLineBytes));
            return true;
        }
        if (pending >= kMaxLineBytes) {
            // An overlong line: hand out a copy of its start (the refills
            // move the buffer) and drop the rest of it.
            m_overlong.assign(start, kMaxLineBytes);
            m_begin += pending;
            for (;;) {
                if (!Fill())
                    break;
                const char* rest = m_buffer.data() + m_begin;
                const char* end = static_cast<const char*>(std::memchr(rest, '\n', m_end - m_begin));
                if (end != nullptr) {
                    m_begin += static_cast<size_t>(end - rest) + 1;
                    break;
                }
                m_begin = m_end;
            }
            line = m_overlong;
            return true;
        }
        if (!Fill()) {
            if (pending == 0)
                return false;
            size_t length = pending;
            if (start[length - 1] == '\r')
                --length;
            m_begin = m_end;
            line = std::string_view(start, length);
            return true;
        }
    }
}

bool CDxfLineSource::Skip(int n)
{
    std::string_view line;
    for (int i = 0; i < n; ++i) {
        if (!Next(line))
            return false;
    }
    return true;
}

bool CDxfLineSource::SkipTo(std::string_view code)
{
    std::string_view line;
    while (Next(line)) {
        if (DxfIsGroupCode(line, code))
            return true;
    }
    return false;
}

bool DxfIsGroupCode(std::string_view line, std::string_view code)
{
    size_t at = 0;
    for (char c : line) {
        if (c == ' ')
            continue;
        if (at >= code.size() || code[at] != c)
            return false;
        ++at;
    }
    return at == code.size();
}

double DxfToDouble(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && IsCSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Only decimal digits, a point and an exponent continue a number here.
    if (i >= text.size() || !((text[i] >= '0' && text[i] <= '9') || text[i] == '.'))
        return 0.0;
    double value = 0.0;
    const char* first = text.data() + i;
    const char* last = text.data() + text.size();
    const auto result = std::from_chars(first, last, value, std::chars_format::general);
    if (result.ec != std::errc() || !std::isfinite(value))
        return 0.0;
    return negative ? -value : value;
}

int DxfToInt(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && IsCSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        value = std::min<long long>(value * 10 + (text[i] - '0'), static_cast<long long>(INT_MAX) + 1);
        ++i;
    }
    if (negative)
        value = -value;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}
