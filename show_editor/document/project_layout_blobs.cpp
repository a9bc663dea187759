// The layout file and its pixel map inside the project file ("LPX", "PIX"),
// and the paths they travel under.
#include "project_file.h"

#include "Base64.h"
#include "project_file_elements.h"
#include "project_file_io.h"

#include <algorithm>
#include <cstring>

CString ProjectResourceFolder(const CString& projectPath)
{
    // Only the file name's extension goes; a dot in a folder name stays.
    const int slash = projectPath.ReverseFind(L'\\');
    const int dot = projectPath.ReverseFind(L'.');
    const CString base = dot > slash ? projectPath.Left(dot) : projectPath;
    return base + L"\\";
}

CString PixPathOfLayout(const CString& layoutPath)
{
    const int slash = std::max(layoutPath.ReverseFind(L'\\'), layoutPath.ReverseFind(L'/'));
    const int dot = layoutPath.ReverseFind(L'.');
    return (dot > slash ? layoutPath.Left(dot) : layoutPath) + L".pix";
}

bool SafeLayoutFileName(const CString& stored, CString& name)
{
    const int slash = std::max(stored.ReverseFind(L'\\'), stored.ReverseFind(L'/'));
    const CString last = stored.Mid(slash + 1);
    if (last.IsEmpty() || last == L"." || last == L".." || last.FindOneOf(L"\\/:") >= 0)
        return false;
    name = last;
    return true;
}

void WriteLayoutBlobs(const CString& layoutPath, tinyxml2::XMLElement* root)
{
    std::string layout;
    if (!ReadWholeFile(layoutPath, layout, kMaxEmbeddedFileBytes) || layout.empty())
        return;
    tinyxml2::XMLDocument* doc = root->GetDocument();
    tinyxml2::XMLElement* lpx = doc->NewElement("LPX");
    root->InsertEndChild(lpx);
    lpx->SetText(Base64EncodeString(layout).c_str());

    std::string pix;
    if (!ReadWholeFile(PixPathOfLayout(layoutPath), pix, kMaxEmbeddedFileBytes) || pix.empty())
        return;
    // Read as a text-mode stream reads it: CR LF as LF, up to the first NUL.
    std::string text;
    text.reserve(pix.size());
    for (size_t i = 0; i < pix.size() && pix[i] != '\0'; ++i) {
        if (pix[i] == '\r' && i + 1 < pix.size() && pix[i + 1] == '\n')
            continue;
        text.push_back(pix[i]);
    }
    tinyxml2::XMLElement* element = doc->NewElement("PIX");
    root->InsertEndChild(element);
    element->SetText(Base64EncodeString(text).c_str());
}

namespace {

std::string DecodedText(const tinyxml2::XMLElement* element)
{
    const char* text = element != nullptr ? element->GetText() : nullptr;
    if (text == nullptr)
        return std::string();
    return Base64Decode(text, std::strlen(text));
}

} // namespace

bool UnpackLayoutFile(const tinyxml2::XMLElement* element, const CString& layoutPath)
{
    if (layoutPath.IsEmpty())
        return true;
    const std::string bytes = DecodedText(element);
    return AfxWriteFileReplacing(layoutPath, bytes.data(), bytes.size()) != FALSE;
}

bool UnpackPixFile(const tinyxml2::XMLElement* element, const CString& layoutPath)
{
    if (layoutPath.IsEmpty())
        return true;
    const std::string bytes = DecodedText(element);
    return WriteTextFileReplacing(PixPathOfLayout(layoutPath), bytes.data(), bytes.size());
}
