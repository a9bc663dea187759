// Helpers of the program-record tests.
#include "records_test_support.h"

#include <gtest/gtest.h>

std::string CompactText(const tinyxml2::XMLElement* element)
{
    if (element == nullptr)
        return "(none)";
    tinyxml2::XMLPrinter printer(nullptr, true);
    element->Accept(&printer);
    return printer.CStr();
}

const tinyxml2::XMLElement* ParseElement(tinyxml2::XMLDocument& doc, const char* text)
{
    EXPECT_EQ(doc.Parse(text), tinyxml2::XML_SUCCESS) << text;
    return doc.FirstChildElement();
}

std::string ReadFileBytes(const CString& path)
{
    std::string bytes;
    HANDLE file = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char buffer[65536];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    ::CloseHandle(file);
    return bytes;
}

void WriteFileBytes(const CString& path, const std::string& bytes)
{
    HANDLE file = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
}

bool PathExists(const CString& path)
{
    return ::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}
