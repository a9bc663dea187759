// The XML printer that writes into a replacing file.
#include "xml_file_printer.h"

#include <cstdarg>
#include <cstdio>
#include <string>

void CXmlFilePrinter::Print(const char* format, ...)
{
    // The printer formats short pieces (indents, attribute names and
    // numbers); a longer one is formatted again at its length.
    char piece[256];
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(piece, sizeof piece, format, args);
    va_end(args);
    if (length >= 0 && static_cast<size_t>(length) < sizeof piece) {
        m_out.Write(piece, static_cast<size_t>(length));
    } else if (length > 0) {
        std::string text(static_cast<size_t>(length) + 1, '\0');
        std::vsnprintf(text.data(), text.size(), format, again);
        m_out.Write(text.data(), static_cast<size_t>(length));
    }
    va_end(again);
}

bool CXmlFilePrinter::VisitExit(const tinyxml2::XMLElement& element)
{
    if (&element == m_extended && m_children)
        m_children(*this);
    return tinyxml2::XMLPrinter::VisitExit(element);
}

bool SaveXmlDocument(const tinyxml2::XMLDocument& doc, const CString& path, const tinyxml2::XMLElement* extended,
    XmlChildPrinter children)
{
    CReplacingFile file;
    if (!file.Open(path))
        return false;
    CCrLfFileWriter text(file);
    CXmlFilePrinter printer(text);
    printer.AddChildren(extended, std::move(children));
    doc.Print(&printer);
    return text.Flush() && file.Commit();
}
