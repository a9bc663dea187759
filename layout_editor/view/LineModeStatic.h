// CLineModeStatic: the small picture of one wiring style - 15 lamps in
// wiring order, the first one yellow, joined by a blue line - on black, or
// on grey when it is the selected style. CStylePictures keeps the four
// pictures of a dialog in step with the dialog's style, Z order and flip.
#pragma once

#include <afxwin.h>

#include <array>

struct LineModeCells {
    CPoint origin; // pixel of cell (0, 0)
    std::array<CPoint, 15> cells; // (column, row) in wiring order
};

// The picture's cells: styles 1 and 2 on 5 columns by 3 rows from (3, 16),
// styles 3 and 4 on 3 columns by 5 rows from (14, 5); another style puts
// every cell at (0, 0) from (5, 5).
LineModeCells LineModePictureCells(int style, int z, int flip);

class CLineModeStatic : public CStatic {
    DECLARE_DYNAMIC(CLineModeStatic)
public:
    int m_nStyle = 1;
    int m_nZOrder = 0;
    int m_nFlip = 0;
    BYTE m_bSelected = 0;
    int m_nCellSize = 11;

    // Draws the picture into a device context of the given client size.
    void DrawPicture(HDC dc, int width, int height) const;

protected:
    void OnPaint();
    DECLARE_MESSAGE_MAP()
};

// The four style pictures of a dialog (controls 1037 to 1040, styles 1 to 4).
class CStylePictures {
public:
    void Exchange(CDataExchange* pDX);
    // Every picture takes the Z order and flip; the one of the style is
    // selected (a style outside 1 to 4 becomes 1 first); all are redrawn.
    void Update(int& style, int z, int flip);
    const CLineModeStatic& Picture(int i) const { return m_pictures[static_cast<size_t>(i)]; }

private:
    std::array<CLineModeStatic, 4> m_pictures;
};
