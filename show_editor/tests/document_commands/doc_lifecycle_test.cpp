// The document's life cycle: new, open, save, merged save, the caption, the
// modified flag, playback and zoom.
#include "doc_test_support.h"

#include "project_file.h"

using namespace doctest;

TEST_F(DocTest, NewDocumentResetsTheProject)
{
    BuildProject({ { 10 } });
    m_doc->m_projectSettings.m_width = 64;
    m_doc->m_zoomPercent = 900;
    ASSERT_TRUE(m_doc->OnNewDocument());
    EXPECT_EQ(m_doc->m_segments.GetSize(), 0);
    EXPECT_EQ(m_doc->m_projectSettings.m_width, 200);
    EXPECT_EQ(m_doc->m_projectSettings.m_totalFrames, 0);
    EXPECT_EQ(m_doc->m_zoomPercent, 400u);
    EXPECT_EQ(m_doc->m_currentSegment, -1);
    EXPECT_EQ(m_doc->m_pCurrentViewNode, nullptr);
    EXPECT_FALSE(m_doc->IsModified());
}
