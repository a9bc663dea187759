// Saving an XML document as the project and template files store it: the
// printer's text goes straight into a replacing file through a buffer of
// bounded size (CCrLfFileWriter), every LF as CR LF, instead of being
// printed whole into memory first.
#pragma once

#include <afx.h>

#include <tinyxml2.h>

#include <functional>

#include "project_file_io.h"

// Prints children into an element of the document as it is printed, so
// that a large part of a file never has to be held as elements all at once.
using XmlChildPrinter = std::function<void(tinyxml2::XMLPrinter& printer)>;

// tinyxml2's printer writing into a CCrLfFileWriter. The bytes are those
// its in-memory print gives, with LF written as CR LF.
class CXmlFilePrinter : public tinyxml2::XMLPrinter {
public:
    explicit CXmlFilePrinter(CCrLfFileWriter& out)
        : m_out(out)
    {
    }
    // After the children `element` holds, `children` prints more of them
    // (the element is printed as if it held those too).
    void AddChildren(const tinyxml2::XMLElement* element, XmlChildPrinter children)
    {
        m_extended = element;
        m_children = std::move(children);
    }

    bool VisitExit(const tinyxml2::XMLElement& element) override;

protected:
    void Print(const char* format, ...) override;
    void Write(const char* data, size_t size) override { m_out.Write(data, size); }
    void Putc(char ch) override { m_out.Put(ch); }

private:
    CCrLfFileWriter& m_out;
    const tinyxml2::XMLElement* m_extended = nullptr;
    XmlChildPrinter m_children;
};

// Replaces path with the printed document, with the children of `extended`
// (when given) followed by those `children` prints. False (the target
// untouched, no temporary left) when any step fails.
bool SaveXmlDocument(const tinyxml2::XMLDocument& doc, const CString& path,
    const tinyxml2::XMLElement* extended = nullptr, XmlChildPrinter children = nullptr);
