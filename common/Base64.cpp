// Base64 coding of the project file's binary records and embedded files.
#include "Base64.h"

namespace {

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// 0..63 for alphabet characters, -1 for everything else.
struct DecodeTable {
    signed char values[256];
    DecodeTable()
    {
        for (signed char& v : values)
            v = -1;
        for (int i = 0; i < 64; ++i)
            values[static_cast<unsigned char>(kAlphabet[i])] = static_cast<signed char>(i);
    }
};

const DecodeTable kDecode;

} // namespace

std::string Base64Encode(const unsigned char* data, size_t count)
{
    std::string out;
    if (data == nullptr || count == 0)
        return out;
    out.resize((count + 2) / 3 * 4);
    char* p = out.data();
    size_t i = 0;
    for (; i + 3 <= count; i += 3) {
        const unsigned v = (data[i] << 16) | (data[i + 1] << 8) | data[i + 2];
        *p++ = kAlphabet[(v >> 18) & 63];
        *p++ = kAlphabet[(v >> 12) & 63];
        *p++ = kAlphabet[(v >> 6) & 63];
        *p++ = kAlphabet[v & 63];
    }
    const size_t rest = count - i;
    if (rest > 0) {
        const unsigned v = (data[i] << 16) | (rest == 2 ? data[i + 1] << 8 : 0);
        *p++ = kAlphabet[(v >> 18) & 63];
        *p++ = kAlphabet[(v >> 12) & 63];
        *p++ = rest == 2 ? kAlphabet[(v >> 6) & 63] : '=';
        *p++ = '=';
    }
    return out;
}

std::string Base64Decode(const char* text, size_t count)
{
    std::string out;
    if (text == nullptr)
        return out;
    size_t usable = 0;
    while (usable < count && kDecode.values[static_cast<unsigned char>(text[usable])] >= 0)
        ++usable;
    out.reserve(usable / 4 * 3 + 2);
    size_t i = 0;
    for (; i + 4 <= usable; i += 4) {
        const unsigned v = (kDecode.values[static_cast<unsigned char>(text[i])] << 18)
            | (kDecode.values[static_cast<unsigned char>(text[i + 1])] << 12)
            | (kDecode.values[static_cast<unsigned char>(text[i + 2])] << 6)
            | kDecode.values[static_cast<unsigned char>(text[i + 3])];
        out.push_back(static_cast<char>(v >> 16));
        out.push_back(static_cast<char>(v >> 8));
        out.push_back(static_cast<char>(v));
    }
    const size_t rest = usable - i;
    if (rest >= 2) {
        unsigned v = (kDecode.values[static_cast<unsigned char>(text[i])] << 18)
            | (kDecode.values[static_cast<unsigned char>(text[i + 1])] << 12);
        if (rest == 3)
            v |= kDecode.values[static_cast<unsigned char>(text[i + 2])] << 6;
        out.push_back(static_cast<char>(v >> 16));
        if (rest == 3)
            out.push_back(static_cast<char>(v >> 8));
    }
    return out;
}

std::string Base64EncodeString(const std::string& bytes)
{
    return Base64Encode(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

std::string Base64DecodeString(const std::string& text)
{
    return Base64Decode(text.data(), text.size());
}
