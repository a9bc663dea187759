// Even spreading of marks over a byte run.
#include "SpreadMarks.h"

void SpreadMarks(BYTE* marks, int n, int k)
{
    if (marks == nullptr || k <= 0 || k > n)
        return;
    const int h = n / 2;
    const int c = k / 2;
    const bool nEven = n % 2 == 0;
    if (k == 1) {
        marks[n == 1 ? 0 : (nEven ? h - 1 : h)] = 0;
        return;
    }
    if (k == 2) {
        SpreadMarks(marks, h, 1);
        SpreadMarks(marks + h, nEven ? h : h + 1, 1);
        return;
    }
    const bool kOdd = k % 2 != 0;
    if (nEven && kOdd) {
        SpreadMarks(marks, h - 1, c);
        SpreadMarks(marks + (h - 1), h + 1, c + 1);
    } else if (nEven) {
        SpreadMarks(marks, h, c);
        SpreadMarks(marks + h, h, c);
    } else if (kOdd) {
        SpreadMarks(marks, h, c);
        SpreadMarks(marks + h, h + 1, c + 1);
    } else {
        SpreadMarks(marks, h, c);
        SpreadMarks(marks + h, h + 1, c);
    }
}
