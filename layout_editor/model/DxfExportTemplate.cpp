// The fixed parts of an exported DXF drawing: the tables, the start and end
// of the BLOCKS section with the two space blocks, the entities opener and
// the closing lines.
#include "DxfExporter.h"

#include <initializer_list>

namespace {

// Lines joined with a line feed after each.
std::string Lines(std::initializer_list<const char*> lines)
{
    std::string text;
    for (const char* line : lines) {
        text += line;
        text += '\n';
    }
    return text;
}

std::string Tables()
{
    std::string t = Lines({ "0", "SECTION", "2", "TABLES" });
    t += Lines({ "0", "TABLE", "2", "VPORT", "70", "2" });
    t += Lines({ "0", "VPORT", "2", "*ACTIVE", "70", "0", "10", "0.0", "20", "0.0", "11", "1.0", "21", "1.0", "12",
        "1044.517924691618", "22", "593.10166070817399", "13", "0.0", "23", "0.0", "14", "10.0", "24", "10.0", "15",
        "10.0", "25", "10.0", "16", "0.0", "26", "0.0", "36", "1.0", "17", "0.0", "27", "0.0", "37", "0.0", "40",
        "1186.2033214163471", "41", "1.76111111111111", "42", "50.0", "43", "0.0", "44", "0.0", "50", "0.0", "51",
        "0.0", "71", "0", "72", "1000", "73", "1", "74", "3", "75", "0", "76", "0", "77", "0", "78", "0" });
    t += Lines({ "0", "ENDTAB" });
    t += Lines({ "0", "TABLE", "2", "LTYPE", "70", "1" });
    t += Lines({ "0", "LTYPE", "2", "CONTINUOUS", "70", "0", "3", "Solid line", "72", "65", "73", "0", "40", "0.0" });
    t += Lines({ "0", "ENDTAB" });
    t += Lines({ "0", "TABLE", "2", "LAYER", "70", "1" });
    t += Lines({ "0", "LAYER", "2", "0", "70", "0", "62", "7", "6", "CONTINUOUS" });
    t += Lines({ "0", "ENDTAB" });
    t += Lines({ "0", "TABLE", "2", "STYLE", "70", "1" });
    t += Lines({ "0", "STYLE", "2", "STANDARD", "70", "0", "40", "0.0", "41", "1.0", "50", "0.0", "71", "0", "42",
        "2.5", "3", "txt", "4", "gbcbig.shx" });
    t += Lines({ "0", "ENDTAB" });
    t += Lines({ "0", "TABLE", "2", "VIEW", "70", "0", "0", "ENDTAB" });
    t += Lines({ "0", "TABLE", "2", "UCS", "70", "0", "0", "ENDTAB" });
    t += Lines({ "0", "TABLE", "2", "APPID", "70", "2" });
    t += Lines({ "0", "APPID", "2", "ACAD", "70", "0" });
    t += Lines({ "0", "APPID", "2", "ACAD_PSEXT", "70", "0" });
    t += Lines({ "0", "ENDTAB" });
    t += Lines({ "0", "TABLE", "2", "DIMSTYLE", "70", "1" });
    t += Lines({ "0", "DIMSTYLE", "2", "ISO-25", "70", "0", "3", "", "4", "", "5", "", "6", "", "7", "", "40", "1.0",
        "41", "2.5", "42", "0.625", "43", "3.75", "44", "1.25", "45", "0.0", "46", "0.0", "47", "0.0", "48", "0.0",
        "140", "2.5", "141", "2.5", "142", "0.0", "143", "0.03937007874016", "144", "1.0", "145", "0.0", "146", "1.0",
        "147", "0.625", "71", "0", "72", "0", "73", "0", "74", "0", "75", "0", "76", "0", "77", "1", "78", "8", "170",
        "0", "171", "3", "172", "1", "173", "0", "174", "0", "175", "0", "176", "0", "177", "0", "178", "0" });
    t += Lines({ "0", "ENDTAB" });
    t += Lines({ "0", "ENDSEC" });
    // The BLOCKS section opens here with the two space blocks.
    t += Lines({ "0", "SECTION", "2", "BLOCKS" });
    t += Lines({ "0", "BLOCK", "8", "0", "2", "$MODEL_SPACE", "70", "0", "10", "0.0", "20", "0.0", "30", "0.0", "3",
        "$MODEL_SPACE", "0", "ENDBLK", "5", "21" });
    t += Lines({ "0", "BLOCK", "67", "1", "8", "0", "2", "$PAPER_SPACE", "70", "0", "10", "0.0", "20", "0.0", "30",
        "0.0", "3", "$PAPER_SPACE", "0", "ENDBLK", "5", "D5", "67", "1", "8", "0" });
    return t;
}

} // namespace

DxfExporter::DxfExporter()
    : m_entitiesOpener(Lines({ "0", "SECTION", "2", "ENTITIES" }))
    , m_tables(Tables())
    // No entity of the export inserts a sample block, so none are written.
    , m_dimensionBlocks()
    , m_textBlocks(Lines({ "0", "ENDSEC" }))
    , m_closing("0\nENDSEC\n0\nEOF")
{
}
