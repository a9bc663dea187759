// Run-time classes: the class tree, IsKindOf, dynamic creation and lookup by
// name; exceptions as pointers with their causes and messages.
#include <gtest/gtest.h>

#include "core_test_print.h"

namespace {

class CShape : public CObject {
    DECLARE_DYNAMIC(CShape)
};
IMPLEMENT_DYNAMIC(CShape, CObject)

class CCircleShape : public CShape {
    DECLARE_DYNCREATE(CCircleShape)
public:
    int m_nRadius = 5;
};
IMPLEMENT_DYNCREATE(CCircleShape, CShape)

class CSquareShape : public CShape {
    DECLARE_SERIAL(CSquareShape)
};
IMPLEMENT_SERIAL(CSquareShape, CShape, 3)

TEST(RuntimeClassTest, TreeAndKinds)
{
    CCircleShape circle;
    EXPECT_EQ(circle.GetRuntimeClass(), RUNTIME_CLASS(CCircleShape));
    EXPECT_STREQ(circle.GetRuntimeClass()->m_lpszClassName, "CCircleShape");
    EXPECT_EQ(RUNTIME_CLASS(CCircleShape)->m_nObjectSize, static_cast<int>(sizeof(CCircleShape)));
    EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CCircleShape)));
    EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CShape)));
    EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(circle.IsKindOf(RUNTIME_CLASS(CSquareShape)));
    EXPECT_TRUE(RUNTIME_CLASS(CSquareShape)->IsDerivedFrom(RUNTIME_CLASS(CShape)));
    EXPECT_FALSE(RUNTIME_CLASS(CShape)->IsDerivedFrom(RUNTIME_CLASS(CSquareShape)));
    EXPECT_EQ(RUNTIME_CLASS(CShape)->m_pBaseClass, RUNTIME_CLASS(CObject));
    EXPECT_FALSE(circle.IsSerializable());
    CSquareShape square;
    EXPECT_TRUE(square.IsSerializable());
    EXPECT_EQ(RUNTIME_CLASS(CSquareShape)->m_wSchema, 3u);
}

TEST(RuntimeClassTest, DynamicCreationAndLookupByName)
{
    CObject* p = RUNTIME_CLASS(CCircleShape)->CreateObject();
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(p->IsKindOf(RUNTIME_CLASS(CCircleShape)));
    EXPECT_EQ(static_cast<CCircleShape*>(p)->m_nRadius, 5);
    delete p;

    EXPECT_EQ(RUNTIME_CLASS(CShape)->CreateObject(), nullptr); // not creatable
    EXPECT_EQ(CRuntimeClass::FromName("CSquareShape"), RUNTIME_CLASS(CSquareShape));
    EXPECT_EQ(CRuntimeClass::FromName(L"CCircleShape"), RUNTIME_CLASS(CCircleShape));
    EXPECT_EQ(CRuntimeClass::FromName("CObject"), RUNTIME_CLASS(CObject));
    EXPECT_EQ(CRuntimeClass::FromName("CInvalidArgException"), RUNTIME_CLASS(CInvalidArgException));
    EXPECT_EQ(CRuntimeClass::FromName("NoSuchClass"), nullptr);
    p = CRuntimeClass::CreateObject(L"CSquareShape");
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(p->IsKindOf(RUNTIME_CLASS(CSquareShape)));
    delete p;
}

TEST(ExceptionTest, ThrownAsPointersWithCausesAndMessages)
{
    try {
        AfxThrowFileException(CFileException::fileNotFound, ERROR_FILE_NOT_FOUND, L"C:\\x.ledx");
        FAIL();
    } catch (CException* e) {
        ASSERT_TRUE(e->IsKindOf(RUNTIME_CLASS(CFileException)));
        auto* fe = static_cast<CFileException*>(e);
        EXPECT_EQ(fe->m_cause, CFileException::fileNotFound);
        EXPECT_EQ(fe->m_lOsError, ERROR_FILE_NOT_FOUND);
        EXPECT_EQ(fe->m_strFileName, L"C:\\x.ledx");
        wchar_t buf[256];
        EXPECT_TRUE(e->GetErrorMessage(buf, 256));
        EXPECT_NE(wcsstr(buf, L"C:\\x.ledx"), nullptr);
        wchar_t tiny[4];
        EXPECT_TRUE(e->GetErrorMessage(tiny, 4));
        EXPECT_EQ(wcslen(tiny), 3u); // cut, still terminated
        e->Delete();
    }
    try {
        AfxThrowArchiveException(CArchiveException::endOfFile, L"a.lay");
    } catch (CArchiveException* e) {
        EXPECT_EQ(e->m_cause, CArchiveException::endOfFile);
        EXPECT_EQ(e->m_strFileName, L"a.lay");
        e->Delete();
    }
    try {
        AfxThrowMemoryException();
    } catch (CException* e) {
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CMemoryException)));
        e->Delete(); // the preallocated object is not freed
    }
    try {
        AfxThrowNotSupportedException();
    } catch (CSimpleException* e) {
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CNotSupportedException)));
        e->Delete();
    }
}

TEST(ExceptionTest, OsErrorsMapToCauses)
{
    struct Case {
        LONG err;
        int cause;
    };
    const Case cases[] = {
        { ERROR_FILE_NOT_FOUND, CFileException::fileNotFound },
        { ERROR_PATH_NOT_FOUND, CFileException::badPath },
        { ERROR_ACCESS_DENIED, CFileException::accessDenied },
        { ERROR_SHARING_VIOLATION, CFileException::sharingViolation },
        { ERROR_LOCK_VIOLATION, CFileException::lockViolation },
        { ERROR_DISK_FULL, CFileException::diskFull },
        { ERROR_HANDLE_EOF, CFileException::endOfFile },
        { ERROR_NEGATIVE_SEEK, CFileException::badSeek },
        { ERROR_TOO_MANY_OPEN_FILES, CFileException::tooManyOpenFiles },
        { ERROR_INVALID_HANDLE, CFileException::invalidFile },
        { ERROR_CRC, CFileException::hardIO },
        { 12345, CFileException::genericException },
    };
    for (const Case& c : cases)
        EXPECT_EQ(CFileException::OsErrorToException(c.err), c.cause) << c.err;
}

int s_nReported = 0;
int AFXAPI RecordReport(LPCTSTR lpszText, UINT)
{
    EXPECT_STREQ(lpszText, L"Encountered an improper argument.");
    ++s_nReported;
    return IDOK;
}

TEST(ExceptionTest, ReportErrorGoesToTheInstalledHandler)
{
    CInvalidArgException e(FALSE);
    EXPECT_EQ(e.ReportError(), 0); // no handler: no window, nothing answered
    AFX_REPORT_ERROR_HANDLER old = AfxSetReportErrorHandler(RecordReport);
    EXPECT_EQ(e.ReportError(), IDOK);
    AfxSetReportErrorHandler(old);
    EXPECT_EQ(s_nReported, 1);
}

TEST(GeometryTest, RectMembers)
{
    CRect r(10, 20, 30, 60);
    EXPECT_EQ(r.Width(), 20);
    EXPECT_EQ(r.Height(), 40);
    EXPECT_EQ(r.CenterPoint(), CPoint(20, 40));
    EXPECT_EQ(r.TopLeft(), CPoint(10, 20));
    r.BottomRight() = CPoint(40, 70);
    EXPECT_EQ(r, CRect(10, 20, 40, 70));
    EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
    EXPECT_FALSE(r.PtInRect(CPoint(40, 70))); // right and bottom are outside
    CRect n(30, 40, 10, 20);
    EXPECT_TRUE(n.IsRectEmpty());
    n.NormalizeRect();
    EXPECT_EQ(n, CRect(10, 20, 30, 40));
    n.InflateRect(1, 2);
    EXPECT_EQ(n, CRect(9, 18, 31, 42));
    n.DeflateRect(1, 2, 3, 4);
    EXPECT_EQ(n, CRect(10, 20, 28, 38));
    n.OffsetRect(CPoint(5, 5));
    EXPECT_EQ(n.TopLeft(), CPoint(15, 25));
    CRect i;
    EXPECT_FALSE(i.IntersectRect(CRect(0, 0, 5, 5), CRect(5, 5, 9, 9)));
    EXPECT_TRUE(i.IsRectNull());
    EXPECT_TRUE(i.UnionRect(CRect(0, 0, 5, 5), CRect(5, 5, 9, 9)));
    EXPECT_EQ(i, CRect(0, 0, 9, 9));
    EXPECT_EQ(CRect(0, 0, 4, 4) & CRect(2, 2, 6, 6), CRect(2, 2, 4, 4));
    EXPECT_EQ(CRect(0, 0, 4, 4) + CPoint(1, 1), CRect(1, 1, 5, 5));
    EXPECT_EQ(CPoint(5, 5) - CPoint(2, 1), CSize(3, 4));
    EXPECT_EQ(CPoint(MAKELPARAM(-3, 7)), CPoint(-3, 7));
    LPCRECT pr = r;
    EXPECT_EQ(pr->left, 10);
    r.SetRectEmpty();
    EXPECT_TRUE(r.IsRectNull());
}

} // namespace
