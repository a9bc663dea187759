// Runs every registered benchmark, or those whose name contains argv[1].
#include "bench.h"

#include <windows.h>

#include <cwchar>

namespace bench {

std::vector<Case>& Registry()
{
    static std::vector<Case> cases;
    return cases;
}

double Now()
{
    static LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return double(t.QuadPart) / double(freq.QuadPart);
}

double Measure(const std::function<void()>& body, double minSeconds)
{
    int calls = 0;
    const double start = Now();
    double elapsed = 0;
    do {
        body();
        ++calls;
        elapsed = Now() - start;
    } while (elapsed < minSeconds && calls < 1000000);
    return elapsed / calls;
}

void Report(const char* name, double value, const char* unit)
{
    std::printf("%-48s %14.3f %s\n", name, value, unit);
    std::fflush(stdout);
}

namespace {
int g_failures = 0;
} // namespace

void Fail(const char* what)
{
    ++g_failures;
    std::printf("FAILED: %s\n", what);
    std::fflush(stdout);
}

bool Check(bool ok, const char* what)
{
    if (!ok)
        Fail(what);
    return ok;
}

bool AllPassed()
{
    return g_failures == 0;
}

} // namespace bench

int wmain(int argc, wchar_t** argv)
{
    for (const auto& c : bench::Registry()) {
        if (argc > 1) {
            std::wstring filter = argv[1];
            std::wstring wname(c.name.begin(), c.name.end());
            if (wname.find(filter) == std::wstring::npos)
                continue;
        }
        std::printf("== %s\n", c.name.c_str());
        std::fflush(stdout);
        c.body();
    }
    return bench::AllPassed() ? 0 : 1;
}
