// Reading the pixel map: headers, masked lamps, short lines and line ends.
#include <gtest/gtest.h>

#include "pix_map.h"
#include "project_file_fixture.h"

#include <utility>
#include <vector>

namespace {

using Port = std::vector<std::pair<int, int>>;
using Map = std::vector<std::vector<Port>>;

Map Flatten(const PixPortMap& map)
{
    Map out;
    for (INT_PTR c = 0; c < map.m_controllers.GetSize(); ++c) {
        out.emplace_back();
        const PixController* controller = map.m_controllers[c];
        for (INT_PTR p = 0; p < controller->GetSize(); ++p) {
            out.back().emplace_back();
            const PixPort* port = controller->GetAt(p);
            for (INT_PTR i = 0; i < port->GetSize(); ++i)
                out.back().back().emplace_back(port->GetAt(i)->x, port->GetAt(i)->y);
        }
    }
    return out;
}

class PixMapRead : public ::testing::Test {
protected:
    PixMapRead()
        : m_folder(L"pf_pix")
    {
    }
    std::pair<int, int> Read(const std::string& text)
    {
        FreePixPortMap(m_map);
        const CString path = m_folder.File(L"map.pix");
        WriteBytes(path, text);
        return ReadPointListFile(path, m_map);
    }
    CTempProjectFolder m_folder;
    PixPortMap m_map;
};

TEST_F(PixMapRead, ControllersAndPortsByChangesOfNumber)
{
    // The controller library's own line ends: CR CR LF.
    const auto size = Read("200,50,C:\\Pictures\\back.bmp\r\r\n"
                           "C1P1,2,RGB\r\r\n1,2,0,0\r\r\n3,4,0,0\r\r\n"
                           "C1P2,1,RGB\r\r\n5,6,0,0\r\r\n"
                           "C2P1,1,RGB\r\r\n7,8,0,0\r\r\n");
    EXPECT_EQ(size, std::make_pair(200, 50));
    const Map expected = { { { { 1, 2 }, { 3, 4 } }, { { 5, 6 } } }, { { { 7, 8 } } } };
    EXPECT_EQ(Flatten(m_map), expected);
    EXPECT_EQ(m_map.GetLampCount(), 4);
}

TEST_F(PixMapRead, ReturningControllerStartsANewEntry)
{
    Read("10,10,\r\nC1P1,1,RGB\r\n0,0,0,0\r\nC2P1,1,RGB\r\n1,1,0,0\r\nC1P1,1,RGB\r\n2,2,0,0\r\n");
    const Map expected = { { { { 0, 0 } } }, { { { 1, 1 } } }, { { { 2, 2 } } } };
    EXPECT_EQ(Flatten(m_map), expected);
}

TEST_F(PixMapRead, LampLines)
{
    // A masked lamp is passed over; a lamp line with only x and y counts;
    // lamps before the first header have no port; the layer is not used.
    const auto size = Read("8,9\r\n4,4,0,0\r\nC1P1,3,RGB\r\n5,7,1,0\r\n5,7,0,2\r\n5,7\r\n\r\nC1P1,0,RGB\r\n6,6,0,0");
    EXPECT_EQ(size, std::make_pair(8, 9));
    const Map expected = { { { { 5, 7 }, { 5, 7 }, { 6, 6 } } } };
    EXPECT_EQ(Flatten(m_map), expected);
}

TEST_F(PixMapRead, LineEndsAndFirstLine)
{
    Read("75\nC1P1,1,RGB\n1,1,0,0\n");
    EXPECT_EQ(Flatten(m_map), (Map { { { { 1, 1 } } } }));
    EXPECT_EQ(Read("75\r\n"), std::make_pair(0, 75));
    EXPECT_TRUE(m_map.m_controllers.GetSize() == 0);
}

TEST_F(PixMapRead, MissingFileLeavesTheMapAlone)
{
    Read("1,1,\r\nC1P1,1,RGB\r\n0,0,0,0\r\n");
    ASSERT_EQ(m_map.m_controllers.GetSize(), 1);
    EXPECT_EQ(ReadPointListFile(m_folder.File(L"none.pix"), m_map), std::make_pair(0, 0));
    EXPECT_EQ(m_map.m_controllers.GetSize(), 1);
}

} // namespace
