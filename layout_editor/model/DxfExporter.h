// DXF export: writes a layout as an ASCII DXF drawing that CAD programs
// open and that DxfReader reads back. Every lamp of every used port is a
// CIRCLE, consecutive lamps of a port are joined by LINEs, and the first
// lamp of a port gets a leader LINE to a TEXT label "c%dp%d" (controller and
// port, from 1) at the leader's far end; optionally each lamp gets its
// number in the port.
#pragma once

#include <afx.h>

#include <string>

#include "LayoutData.h"

class DxfExporter {
public:
    // Builds the fixed parts of the drawing.
    DxfExporter();
    ~DxfExporter() = default;

    // Entity texts, numbers with six decimals (the thickness with three).
    static std::string FormatCircle(double x, double y, double radius);
    static std::string FormatLine(double x1, double y1, double x2, double y2, double thickness);
    static std::string FormatText(const char* text, double x, double y, double height, double rotation);

    // Writes the drawing: 1 when it was written to the end and put in place,
    // 0 otherwise (the target is then left as it was). A file that cannot be
    // written is reported through the layout message handler; a layout
    // without lamps gives 0 and no message.
    int Write(
        LPCWSTR path, const CLayoutData& layout, const CControllerList& controllers, bool lampNumbers, HWND progress);

    // The lamp radius the drawing uses for a layout.
    static double RadiusFor(int totalLamps, int width, int height);
    // "c%dp%d" of a port index, located in the controller list.
    static std::string PortLabel(int portIndex, const CControllerList& controllers);

    const std::string& GetEntitiesOpener() const { return m_entitiesOpener; }
    const std::string& GetTables() const { return m_tables; }
    const std::string& GetDimensionBlocks() const { return m_dimensionBlocks; }
    const std::string& GetTextBlocks() const { return m_textBlocks; }
    const std::string& GetClosing() const { return m_closing; }

private:
    std::string m_entitiesOpener;
    std::string m_tables;
    std::string m_dimensionBlocks;
    std::string m_textBlocks;
    std::string m_closing;
};

// Builds an exporter, writes the drawing and returns Write's result.
int ExportDxf(
    LPCWSTR path, const CLayoutData& layout, const CControllerList& controllers, bool lampNumbers, HWND progress);

// The message shown when the drawing cannot be written.
extern const wchar_t* const kDxfWriteFailedText;
