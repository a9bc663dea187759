// Whole-file scrambling and unscrambling.
#include "FileScrambler.h"

#include <cstring>

namespace {

constexpr char kKeyString[] = "QUORBANTELFIXS";
// Start value of the key accumulator; every program that reads these files
// must use the same one.
constexpr DWORD kKeyStart = 0x6D2B79F5u;
constexpr char kTrailerText[kScrambleTrailerSize] = { 'q', 'v', 't', 'n', 0 };
// Largest file handled in memory.
constexpr LONGLONG kMaxFileBytes = 0x40000000;

// Leaves 0 and the mask itself alone, so the rule undoes itself.
void MaskBytes(BYTE* bytes, size_t count, BYTE mask)
{
    for (size_t i = 0; i < count; ++i) {
        const BYTE b = bytes[i];
        if (b != 0 && b != mask)
            bytes[i] = static_cast<BYTE>(b ^ mask);
    }
}

// The trailer's key byte when the bytes end with a trailer, else -1.
int TrailerKey(const BYTE* bytes, size_t count)
{
    if (count < static_cast<size_t>(kScrambleTrailerSize))
        return -1;
    const BYTE* trailer = bytes + count - kScrambleTrailerSize;
    const BYTE key = trailer[kScrambleTrailerSize - 1]; // the zero byte, masked
    for (int i = 0; i < kScrambleTrailerSize - 1; ++i)
        if (static_cast<BYTE>(trailer[i] ^ key) != static_cast<BYTE>(kTrailerText[i]))
            return -1;
    return key;
}

class CFileHandle {
public:
    explicit CFileHandle(LPCWSTR path)
    {
        if (path != nullptr)
            m_handle = ::CreateFileW(path, GENERIC_READ | GENERIC_WRITE,
                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                nullptr);
    }
    ~CFileHandle()
    {
        if (IsOpen())
            ::CloseHandle(m_handle);
    }
    CFileHandle(const CFileHandle&) = delete;
    CFileHandle& operator=(const CFileHandle&) = delete;

    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }

    bool ReadAll(std::vector<BYTE>& bytes)
    {
        LARGE_INTEGER size = {};
        if (!::GetFileSizeEx(m_handle, &size) || size.QuadPart < 0 || size.QuadPart > kMaxFileBytes)
            return false;
        try {
            bytes.resize(static_cast<size_t>(size.QuadPart));
        } catch (const std::bad_alloc&) {
            return false;
        }
        return SeekTo(0) && ReadExactly(bytes.data(), bytes.size());
    }

    // Writes the bytes from the start and makes them the whole file.
    bool ReplaceContents(const BYTE* bytes, size_t count)
    {
        if (!SeekTo(0))
            return false;
        size_t done = 0;
        while (done < count) {
            DWORD written = 0;
            const DWORD chunk = static_cast<DWORD>(std::min<size_t>(count - done, 1u << 24));
            if (!::WriteFile(m_handle, bytes + done, chunk, &written, nullptr) || written == 0)
                return false;
            done += written;
        }
        return ::SetEndOfFile(m_handle) != FALSE;
    }

private:
    bool SeekTo(LONGLONG offset)
    {
        LARGE_INTEGER to = {};
        to.QuadPart = offset;
        return ::SetFilePointerEx(m_handle, to, nullptr, FILE_BEGIN) != FALSE;
    }

    bool ReadExactly(BYTE* bytes, size_t count)
    {
        size_t done = 0;
        while (done < count) {
            DWORD read = 0;
            const DWORD chunk = static_cast<DWORD>(std::min<size_t>(count - done, 1u << 24));
            if (!::ReadFile(m_handle, bytes + done, chunk, &read, nullptr) || read == 0)
                return false;
            done += read;
        }
        return true;
    }

    HANDLE m_handle = INVALID_HANDLE_VALUE;
};

} // namespace

BYTE ScramblerKeyByte()
{
    DWORD accumulator = kKeyStart;
    for (const char* c = kKeyString; *c != 0; ++c) {
        // The code with its top bit set, sign-extended to 32 bits.
        const auto code = static_cast<signed char>(static_cast<unsigned char>(*c) | 0x80);
        accumulator ^= static_cast<DWORD>(static_cast<LONG>(code));
    }
    return static_cast<BYTE>(accumulator & 0xFF);
}

void ScrambleBytes(std::vector<BYTE>& bytes)
{
    const BYTE key = ScramblerKeyByte();
    const BYTE mask = static_cast<BYTE>(key ^ (bytes.size() & 0xFF));
    MaskBytes(bytes.data(), bytes.size(), mask);
    for (char c : kTrailerText)
        bytes.push_back(static_cast<BYTE>(static_cast<BYTE>(c) ^ key));
}

bool UnscrambleBytes(std::vector<BYTE>& bytes)
{
    const int key = TrailerKey(bytes.data(), bytes.size());
    if (key < 0)
        return false;
    const size_t length = bytes.size() - kScrambleTrailerSize;
    const BYTE mask = static_cast<BYTE>(key ^ (length & 0xFF));
    bytes.resize(length);
    MaskBytes(bytes.data(), length, mask);
    return true;
}

int ScrambleFileInPlace(LPCWSTR path)
{
    CFileHandle file(path);
    if (!file.IsOpen())
        return 0;
    std::vector<BYTE> bytes;
    if (!file.ReadAll(bytes))
        return 0;
    try {
        bytes.reserve(bytes.size() + kScrambleTrailerSize);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    ScrambleBytes(bytes);
    return file.ReplaceContents(bytes.data(), bytes.size()) ? 1 : 0;
}

int UnscrambleFileInPlace(LPCWSTR path)
{
    CFileHandle file(path);
    if (!file.IsOpen())
        return 0;
    std::vector<BYTE> bytes;
    if (!file.ReadAll(bytes) || !UnscrambleBytes(bytes))
        return 0;
    return file.ReplaceContents(bytes.data(), bytes.size()) ? 1 : 0;
}
