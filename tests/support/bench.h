// A small timed-tool harness for the benchmarks: each LS_BENCHMARK body runs
// once per call; the harness repeats it until it has run for a while and
// prints the time per call. Bodies may report their own figures with
// Report. A figure counts only when the work it times was done: each body
// checks what its timed calls produced with Check (or Fail), and the
// program then ends with a failure status.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace bench {

struct Case {
    std::string name;
    std::function<void()> body;
};

std::vector<Case>& Registry();

struct Registrar {
    Registrar(const char* name, std::function<void()> body) { Registry().push_back({ name, std::move(body) }); }
};

// Seconds on a monotonic clock.
double Now();

// Runs body repeatedly (at least once, at most until minSeconds passed) and
// returns the mean seconds per call.
double Measure(const std::function<void()>& body, double minSeconds = 0.5);

// Prints "name: value unit" in the common report format.
void Report(const char* name, double value, const char* unit);

// Prints "FAILED: what" and makes the program end with a failure status.
void Fail(const char* what);
// Fails with `what` unless ok; returns ok.
bool Check(bool ok, const char* what);
// True when nothing failed so far.
bool AllPassed();

} // namespace bench

#define LS_BENCH_CAT2(a, b) a##b
#define LS_BENCH_CAT(a, b) LS_BENCH_CAT2(a, b)
#define LS_BENCHMARK(name)                                                                                             \
    static void LS_BENCH_CAT(bench_fn_, name)();                                                                       \
    static bench::Registrar LS_BENCH_CAT(bench_reg_, name)(#name, &LS_BENCH_CAT(bench_fn_, name));                     \
    static void LS_BENCH_CAT(bench_fn_, name)()
