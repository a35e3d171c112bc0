#include "storage/IoFaults.h"

void IoFaults::FailNext(IoOp op, unsigned skip)
{
    int& countdown = countdown_[static_cast<std::size_t>(op)];
    if (countdown == 0)
        ++armed_;
    countdown = static_cast<int>(skip) + 1;
}

void IoFaults::Reset()
{
    countdown_.fill(0);
    armed_ = 0;
    writePause_ = std::chrono::microseconds(0);
}

bool IoFaults::Take(IoOp op)
{
    int& countdown = countdown_[static_cast<std::size_t>(op)];
    if (countdown == 0 || --countdown != 0)
        return false;
    --armed_;
    return true;
}
