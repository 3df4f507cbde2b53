// The Windows benchmarks' stopwatch: the performance counter around one piece
// of work.
#pragma once

#include <windows.h>

#include <functional>

namespace tbq::bench {

inline double Seconds(const std::function<void()>& work) {
    LARGE_INTEGER f, a, b;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&a);
    work();
    QueryPerformanceCounter(&b);
    return static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

}  // namespace tbq::bench
