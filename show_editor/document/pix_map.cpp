// Reading the controller library's pixel-map text into the document's map.
#include "pix_map.h"

#include "AnsiText.h"
#include "TextHelpers.h"
#include "project_file_io.h"

#include <string>

PixPortMap::~PixPortMap()
{
    FreePixPortMap(*this);
}

INT_PTR PixPortMap::GetLampCount() const
{
    INT_PTR count = 0;
    for (INT_PTR c = 0; c < m_controllers.GetSize(); ++c) {
        const PixController* controller = m_controllers[c];
        for (INT_PTR p = 0; p < controller->GetSize(); ++p)
            count += controller->GetAt(p)->GetSize();
    }
    return count;
}

void FreePixPortMap(PixPortMap& map)
{
    for (INT_PTR c = 0; c < map.m_controllers.GetSize(); ++c) {
        PixController* controller = map.m_controllers[c];
        for (INT_PTR p = 0; p < controller->GetSize(); ++p) {
            PixPort* port = controller->GetAt(p);
            for (INT_PTR i = 0; i < port->GetSize(); ++i)
                delete port->GetAt(i);
            delete port;
        }
        delete controller;
    }
    map.m_controllers.RemoveAll();
}

namespace {

// The integer of text[from, to) by the atoi rule; an empty or reversed range gives 0.
int IntBetween(const CString& text, int from, int to)
{
    if (to <= from)
        return 0;
    return WideTextToInt(text.Mid(from, to - from));
}

} // namespace

std::pair<int, int> ReadPointListFile(const CString& path, PixPortMap& map)
{
    std::string bytes;
    if (!ReadWholeFile(path, bytes, kMaxEmbeddedFileBytes))
        return { 0, 0 };

    int width = 0;
    int height = 0;
    int controllerNumber = -1;
    int portNumber = -1;
    PixPort* port = nullptr;
    INT_PTR lamps = 0;

    size_t start = 0;
    for (int lineIndex = 0; start < bytes.size(); ++lineIndex) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        size_t stop = end;
        // Text-mode reading turns CR LF into LF; the controller library writes
        // CR CR LF, so every CR before the line feed is dropped.
        while (stop > start && bytes[stop - 1] == '\r')
            --stop;
        const CString line = AnsiToWide(bytes.data() + start, static_cast<int>(stop - start));
        start = end + 1;

        if (lineIndex == 0) {
            ParseTwoInts(line, width, height);
            continue;
        }
        if (line.IsEmpty())
            continue; // a blank line is no lamp
        const int c = line.Find(L'C');
        const int p = line.Find(L'P');
        if (c >= 0 && p >= 0) {
            int comma = line.Find(L',');
            if (comma < 0)
                comma = line.GetLength();
            const int controller = IntBetween(line, c + 1, p);
            const int output = IntBetween(line, p + 1, comma);
            if (controller != controllerNumber) {
                controllerNumber = controller;
                portNumber = output;
                port = new PixPort;
                auto* entry = new PixController;
                entry->Add(port);
                map.m_controllers.Add(entry);
            } else if (output != portNumber) {
                portNumber = output;
                port = new PixPort;
                map.m_controllers[map.m_controllers.GetSize() - 1]->Add(port);
            }
            continue;
        }
        int x = 0, y = 0, masked = 0, layer = 0;
        ParseFourInts(line, x, y, masked, layer);
        if (port == nullptr || masked != 0 || lamps >= kMaxPixMapLamps)
            continue;
        auto* point = new S_PixPoint;
        point->x = x;
        point->y = y;
        port->Add(point);
        ++lamps;
    }
    return { width, height };
}
