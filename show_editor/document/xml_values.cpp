// Value conversions of the show editor's XML files.
#include "xml_values.h"

#include "AnsiText.h"
#include "Base64.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

} // namespace

int XmlTextToInt(const char* text)
{
    if (text == nullptr)
        return 0;
    while (IsBlank(*text))
        ++text;
    bool negative = false;
    if (*text == '+' || *text == '-') {
        negative = *text == '-';
        ++text;
    }
    uint32_t value = 0;
    while (*text >= '0' && *text <= '9') {
        value = value * 10u + static_cast<uint32_t>(*text - '0');
        ++text;
    }
    if (negative)
        value = 0u - value;
    return static_cast<int>(value);
}

double XmlTextToDouble(const char* text)
{
    if (text == nullptr)
        return 0.0;
    const double value = std::strtod(text, nullptr);
    return std::isfinite(value) ? value : 0.0;
}

COLORREF XmlTextToColor(const char* text)
{
    if (text == nullptr)
        return 0;
    const char* p = text;
    while (IsBlank(*p))
        ++p;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        uint32_t value = 0;
        for (p += 2;; ++p) {
            int digit;
            if (*p >= '0' && *p <= '9')
                digit = *p - '0';
            else if (*p >= 'a' && *p <= 'f')
                digit = *p - 'a' + 10;
            else if (*p >= 'A' && *p <= 'F')
                digit = *p - 'A' + 10;
            else
                break;
            value = (value << 4) | static_cast<uint32_t>(digit);
        }
        return value;
    }
    return static_cast<COLORREF>(XmlTextToInt(text));
}

CStringA XmlColorText(COLORREF color)
{
    char buffer[16];
    std::snprintf(buffer, sizeof(buffer), "0x%06X", static_cast<unsigned>(color));
    return CStringA(buffer);
}

const char* NonEmptyAttribute(const tinyxml2::XMLElement* element, const char* name)
{
    if (element == nullptr)
        return nullptr;
    const char* value = element->Attribute(name);
    return value != nullptr && *value != '\0' ? value : nullptr;
}

bool ReadIntAttribute(const tinyxml2::XMLElement* element, const char* name, int& field)
{
    const char* value = NonEmptyAttribute(element, name);
    if (value == nullptr)
        return false;
    field = XmlTextToInt(value);
    return true;
}

bool ReadFloatAttribute(const tinyxml2::XMLElement* element, const char* name, float& field)
{
    const char* value = NonEmptyAttribute(element, name);
    if (value == nullptr)
        return false;
    const double number = XmlTextToDouble(value);
    field = std::fabs(number) <= 3.0e38 ? static_cast<float>(number) : 0.0f;
    return true;
}

bool ReadColorAttribute(const tinyxml2::XMLElement* element, const char* name, COLORREF& field)
{
    const char* value = NonEmptyAttribute(element, name);
    if (value == nullptr)
        return false;
    field = static_cast<COLORREF>(XmlTextToInt(value));
    return true;
}

bool ReadStringAttribute(const tinyxml2::XMLElement* element, const char* name, CString& field)
{
    const char* value = NonEmptyAttribute(element, name);
    if (value == nullptr)
        return false;
    field = AnsiToWide(value);
    return true;
}

bool ReadByteAttribute(const tinyxml2::XMLElement* element, const char* name, BYTE& field)
{
    const char* value = NonEmptyAttribute(element, name);
    if (value == nullptr)
        return false;
    field = static_cast<BYTE>(XmlTextToInt(value) & 0xFF);
    return true;
}

void SetStringAttribute(tinyxml2::XMLElement* element, const char* name, const CString& value)
{
    element->SetAttribute(name, WideToAnsi(value).GetString());
}

void DecodeBase64Record(const char* text, void* record, size_t size)
{
    std::memset(record, 0, size);
    if (text == nullptr)
        return;
    const std::string bytes = Base64Decode(text, std::strlen(text));
    std::memcpy(record, bytes.data(), bytes.size() < size ? bytes.size() : size);
}

void SetBase64Attribute(tinyxml2::XMLElement* element, const char* name, const void* record, size_t size)
{
    element->SetAttribute(name, Base64Encode(static_cast<const unsigned char*>(record), size).c_str());
}
