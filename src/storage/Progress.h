#pragma once
// How far a long piece of work has come (a scan of a large archive, filling the export grid,
// writing an export): the core reports, the screens show it.
#include <cstddef>

class Progress {
public:
    virtual ~Progress() = default;
    // `done` of `total` steps (records, rows) are behind; called often, so it must be cheap.
    virtual void Reached(std::size_t done, std::size_t total) = 0;
};

// For work nobody watches.
class NoProgress final : public Progress {
public:
    void Reached(std::size_t, std::size_t) override {}
};

inline Progress& Unwatched()
{
    static NoProgress none;
    return none;
}
