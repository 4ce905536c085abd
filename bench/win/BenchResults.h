#pragma once
// Timing and the results file the Windows benchmarks write: one line per
// measured quantity, "<name> <unit> <sample> <sample> ...", read by
// bench/report.py.
#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

namespace bench {

// Milliseconds since construction, from the performance counter.
class Stopwatch {
public:
    Stopwatch() { ::QueryPerformanceCounter(&m_start); }
    double ElapsedMs() const
    {
        LARGE_INTEGER now{};
        LARGE_INTEGER frequency{};
        ::QueryPerformanceCounter(&now);
        ::QueryPerformanceFrequency(&frequency);
        return 1000.0 * static_cast<double>(now.QuadPart - m_start.QuadPart) /
               static_cast<double>(frequency.QuadPart);
    }

private:
    LARGE_INTEGER m_start{};
};

struct Series {
    std::string name;
    std::string unit;
    std::vector<double> samples;
};

// Collects series by name, in the order they first appear.
class Results {
public:
    void Add(const std::string& name, double value, const char* unit = "ms")
    {
        for (Series& series : m_series) {
            if (series.name == name) {
                series.samples.push_back(value);
                return;
            }
        }
        m_series.push_back({name, unit, {value}});
    }
    bool Write(const std::string& path) const
    {
        std::ofstream out(path, std::ios::trunc);
        for (const Series& series : m_series) {
            out << series.name << ' ' << series.unit;
            for (double v : series.samples)
                out << ' ' << v;
            out << '\n';
        }
        return static_cast<bool>(out);
    }

private:
    std::vector<Series> m_series;
};

}  // namespace bench
