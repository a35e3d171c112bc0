#pragma once
// A seam for tests: makes a chosen file operation of the storage layer fail once, or slows
// writes down as a network share would.
// Production never arms it; a disarmed check is one load of a counter.
#include <array>
#include <cerrno>
#include <chrono>
#include <cstddef>

enum class IoOp {
    Open,      // opening an existing file
    Create,    // creating a missing file (or a temporary file)
    Stat,      // asking a file's length
    Read,      // a read fails
    ShortRead, // a read ends early, as at the end of the file
    Write,
    Flush,     // fdatasync / fsync
    Close,
    Rename,    // replacing a file by its rewritten copy
};

class IoFaults {
public:
    // The next operation of kind op, after `skip` successful ones, fails once.
    static void FailNext(IoOp op, unsigned skip = 0);
    // Disarms everything.
    static void Reset();

    // Called by the storage code before each operation: true = behave as if it failed
    // (the caller sets errno from InjectedErrno).
    static bool ShouldFail(IoOp op)
    {
        return armed_ != 0 && Take(op);
    }
    static constexpr int InjectedErrno = EIO;
    // ShouldFail for the system layer: when it is true, errno is set as the failure sets it.
    static bool Inject(IoOp op)
    {
        if (!ShouldFail(op))
            return false;
        errno = InjectedErrno;
        return true;
    }

    // Every write of more than one byte pauses halfway for `pause`, as on a slow network
    // share, so that two programs writing at once overlap. Zero (the default) disarms it.
    static void SlowWrites(std::chrono::microseconds pause) { writePause_ = pause; }
    static std::chrono::microseconds WritePause() { return writePause_; }

private:
    static bool Take(IoOp op);
    static constexpr std::size_t OpCount = static_cast<std::size_t>(IoOp::Rename) + 1;
    static inline unsigned armed_ = 0;
    static inline std::array<int, OpCount> countdown_ = {}; // 0 = disarmed, n = fail at n-th
    static inline std::chrono::microseconds writePause_{0};
};
