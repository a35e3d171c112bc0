#pragma once

// What the benchmarks share: a temporary program folder and the peak resident memory of a step.

#include "storage/ProgramFolder.h"

#include <malloc.h>
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace bench {

// Peak resident memory of one step: the high-water mark is reset to the current resident
// size before the step and read after it.
struct Memory {
    static long StatusKb(const char* key)
    {
        std::ifstream status("/proc/self/status");
        std::string line;
        const std::string prefix = std::string(key) + ":";
        while (std::getline(status, line))
            if (line.rfind(prefix, 0) == 0)
                return std::strtol(line.c_str() + prefix.size(), nullptr, 10);
        return -1;
    }
    // Hands freed heap back to the system first, so that the resident size at the start of
    // a step does not hide what the step itself needs.
    static void ResetPeak()
    {
        ::malloc_trim(0);
        std::ofstream("/proc/self/clear_refs") << "5";
    }
};

// The time and peak resident memory of one step, and the resident size before it.
struct Step {
    double seconds;
    long startKb;
    long peakKb;
};

template <class Action>
Step Measure(Action action)
{
    Memory::ResetPeak();
    const long startKb = Memory::StatusKb("VmRSS");
    const auto start = std::chrono::steady_clock::now();
    action();
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    return {elapsed.count(), startKb, Memory::StatusKb("VmHWM")};
}

// "  name   seconds s   peak RSS ... MB (+... MB over the ... MB before)", the name in `width` columns.
inline void PrintStep(const char* name, const Step& step, int width)
{
    std::printf("  %-*s %8.3f s   peak RSS %8.1f MB (+%.1f MB over the %0.1f MB before)\n", width, name, step.seconds,
                step.peakKb / 1024.0, (step.peakKb - step.startKb) / 1024.0, step.startKb / 1024.0);
}

// Makes a fresh folder under /tmp the program folder and returns it.
inline std::filesystem::path UseTemporaryProgramFolder(const char* name)
{
    std::string pattern = std::string("/tmp/") + name + "-XXXXXX";
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp " + pattern);
    SetProgramFolder(pattern);
    return pattern;
}

} // namespace bench
