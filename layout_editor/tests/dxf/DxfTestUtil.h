// Helpers of the DXF, picture and report tests: drawings written the way
// CAD programs write them, scratch files and small layouts.
#pragma once

#include <afx.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "LayoutData.h"

// A drawing built entity by entity. The style switches cover the ways real
// files differ from ours: right-aligned group codes ("  0", " 10"), CR LF
// line ends, handles and subclass markers, layers and extra groups.
class DxfDrawing {
public:
    bool m_crlf = false;
    bool m_padCodes = false;
    bool m_cadStyle = false; // handles, owner and subclass markers, z values
    std::string m_layer = "0";

    void Group(std::string& out, int code, const std::string& value) const
    {
        char c[16];
        std::snprintf(c, sizeof c, m_padCodes ? "%3d" : "%d", code);
        out += c;
        out += Eol();
        out += value;
        out += Eol();
    }
    static std::string Num(double v)
    {
        char b[64];
        std::snprintf(b, sizeof b, "%.6f", v);
        return b;
    }
    std::string Eol() const { return m_crlf ? "\r\n" : "\n"; }

    void Head(std::string& out, const char* kind, const char* subclass)
    {
        Group(out, 0, kind);
        if (m_cadStyle) {
            char h[16];
            std::snprintf(h, sizeof h, "%X", 0x2A0 + m_handle++);
            Group(out, 5, h);
            Group(out, 330, "1F");
            Group(out, 100, "AcDbEntity");
        }
        Group(out, 8, m_layer);
        if (m_cadStyle)
            Group(out, 100, subclass);
    }
    void Circle(double x, double y, double r) { Circle(m_entities, x, y, r); }
    void Circle(std::string& out, double x, double y, double r)
    {
        Head(out, "CIRCLE", "AcDbCircle");
        Group(out, 10, Num(x));
        Group(out, 20, Num(y));
        Group(out, 30, "0.0");
        Group(out, 40, Num(r));
    }
    void Ellipse(double x, double y, double major)
    {
        Head(m_entities, "ELLIPSE", "AcDbEllipse");
        Group(m_entities, 10, Num(x));
        Group(m_entities, 20, Num(y));
        Group(m_entities, 30, "0.0");
        Group(m_entities, 11, "0.0");
        Group(m_entities, 21, Num(major));
        Group(m_entities, 31, "0.0");
        Group(m_entities, 40, "1.0");
    }
    void Line(double x1, double y1, double x2, double y2)
    {
        Head(m_entities, "LINE", "AcDbLine");
        Group(m_entities, 10, Num(x1));
        Group(m_entities, 20, Num(y1));
        Group(m_entities, 30, "0.0");
        Group(m_entities, 11, Num(x2));
        Group(m_entities, 21, Num(y2));
        Group(m_entities, 31, "0.0");
    }
    void Text(double x, double y, const std::string& text)
    {
        Head(m_entities, "TEXT", "AcDbText");
        Group(m_entities, 10, Num(x));
        Group(m_entities, 20, Num(y));
        Group(m_entities, 30, "0.0");
        Group(m_entities, 40, "2.5");
        Group(m_entities, 1, text);
        if (m_cadStyle) {
            Group(m_entities, 50, "0.0");
            Group(m_entities, 7, "STANDARD");
            Group(m_entities, 72, "0");
            Group(m_entities, 100, "AcDbText");
        }
    }
    // A label at (x - 1.8, y - 0.5) on the far end of a leader from (x, y).
    void Label(double x, double y, const std::string& text)
    {
        Text(x - 1.8, y - 0.5, text);
        Line(x, y, x - 1.8, y - 0.5);
    }
    // Lamps at the points (circles) joined by lines in order.
    void Wire(const std::vector<std::pair<double, double>>& points, double r = 1.0)
    {
        for (size_t i = 0; i < points.size(); ++i) {
            Circle(points[i].first, points[i].second, r);
            if (i > 0)
                Line(points[i - 1].first, points[i - 1].second, points[i].first, points[i].second);
        }
    }
    // A HEADER section and a BLOCKS section before the entities; the block
    // holds a circle of the given radius (none when 0).
    void AddPreamble(double blockCircle)
    {
        std::string& out = m_preamble;
        Group(out, 0, "SECTION");
        Group(out, 2, "HEADER");
        Group(out, 9, "$ACADVER");
        Group(out, 1, "AC1015");
        Group(out, 9, "$INSBASE");
        Group(out, 10, "0.0");
        Group(out, 20, "0.0");
        Group(out, 30, "0.0");
        Group(out, 0, "ENDSEC");
        Group(out, 0, "SECTION");
        Group(out, 2, "TABLES");
        Group(out, 0, "TABLE");
        Group(out, 2, "LAYER");
        Group(out, 70, "2");
        Group(out, 0, "LAYER");
        Group(out, 2, "Lamps");
        Group(out, 70, "0");
        Group(out, 62, "7");
        Group(out, 6, "CONTINUOUS");
        Group(out, 0, "ENDTAB");
        Group(out, 0, "ENDSEC");
        Group(out, 0, "SECTION");
        Group(out, 2, "BLOCKS");
        Group(out, 0, "BLOCK");
        Group(out, 8, "0");
        Group(out, 2, "LAMP");
        Group(out, 70, "0");
        Group(out, 10, "0.0");
        Group(out, 20, "0.0");
        Group(out, 30, "0.0");
        if (blockCircle > 0)
            Circle(out, 0, 0, blockCircle);
        Group(out, 0, "ENDBLK");
        Group(out, 0, "ENDSEC");
    }

    std::string Build() const
    {
        std::string out = m_preamble;
        Group(out, 0, "SECTION");
        Group(out, 2, "ENTITIES");
        out += m_entities;
        Group(out, 0, "ENDSEC");
        Group(out, 0, "SECTION");
        Group(out, 2, "OBJECTS");
        Group(out, 0, "DICTIONARY");
        Group(out, 5, "C");
        Group(out, 0, "ENDSEC");
        out += "  0" + Eol() + "EOF" + Eol();
        return out;
    }

    std::string m_preamble;
    std::string m_entities;

private:
    int m_handle = 0;
};

// A scratch file in the temporary folder, deleted when the object goes.
class ScratchFile {
public:
    explicit ScratchFile(const wchar_t* suffix)
    {
        wchar_t folder[MAX_PATH];
        ::GetTempPathW(MAX_PATH, folder);
        static int counter = 0;
        m_path.Format(L"%sdxf_test_%lu_%d%s", folder, ::GetCurrentProcessId(), ++counter, suffix);
        ::DeleteFileW(m_path);
    }
    ~ScratchFile() { ::DeleteFileW(m_path); }
    const CString& Path() const { return m_path; }
    operator LPCWSTR() const { return m_path; }

    void Write(const std::string& bytes) const
    {
        HANDLE h = ::CreateFileW(m_path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD done = 0;
        ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
        ::CloseHandle(h);
    }
    std::string Read() const
    {
        std::string bytes;
        HANDLE h = ::CreateFileW(m_path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            return bytes;
        char buffer[65536];
        DWORD got = 0;
        while (::ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0)
            bytes.append(buffer, got);
        ::CloseHandle(h);
        return bytes;
    }
    bool Exists() const { return ::GetFileAttributesW(m_path) != INVALID_FILE_ATTRIBUTES; }

private:
    CString m_path;
};

// A controller list filled from port counts.
struct TestControllers : CControllerList {
    TestControllers(std::initializer_list<WORD> counts)
    {
        for (WORD c : counts)
            Add(c);
    }
};

inline std::vector<WORD> ToVector(const CControllerList& list)
{
    std::vector<WORD> v;
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        v.push_back(list[i]);
    return v;
}

inline std::vector<std::pair<int, int>> PortCells(const CLayoutData& layout, int port)
{
    std::vector<std::pair<int, int>> cells;
    const LayoutPort& p = layout.GetPort(port);
    for (int i = 0; i < p.GetCount(); ++i)
        cells.emplace_back(static_cast<int>(p.GetPoint(i).x), static_cast<int>(p.GetPoint(i).y));
    return cells;
}

inline std::vector<int> UsedPorts(const CLayoutData& layout)
{
    std::vector<int> used;
    for (int i = 0; i < layout.GetUsedCount(); ++i)
        used.push_back(layout.GetUsedPort(i));
    return used;
}
