// Progress of a long operation, reported to whoever started it, who may ask it to stop.
#pragma once

#include <cstdint>
#include <functional>

namespace qlnx {

// Called with the fraction of the work done (0 to 1, never decreasing); returns false to ask
// the operation to stop. An empty callback reports nothing and never stops anything.
using ProgressCallback = std::function<bool(double fraction)>;

// One stretch [from, to] of a callback's range, fed by a count of work items. Tick(done) is
// one comparison until every `interval`-th item, so a loop may tick on every item without a
// measurable cost. Once the callback has asked to stop, every later call returns false and
// the callback is not called again.
class ProgressStretch {
public:
    // total is the number of items the stretch stands for (0 reports only its ends).
    ProgressStretch(const ProgressCallback& callback, double from, double to, uint64_t total,
                    uint64_t interval = 4096)
        : callback_(callback),
          from_(from),
          to_(to),
          total_(total),
          interval_(interval),
          next_(callback ? 0 : UINT64_MAX) {}

    // done items of total are finished; false when the operation is to stop.
    bool Tick(uint64_t done) {
        if (done < next_) return true;
        return Report(done);
    }
    // The stretch is finished: reports its end; false when the operation is to stop.
    bool Finish() { return Report(total_); }
    bool Stopped() const { return stopped_; }

private:
    bool Report(uint64_t done) {
        if (stopped_) return false;
        if (!callback_) return true;
        next_ = done + interval_;
        const double part = total_ == 0 || done >= total_
                                ? 1.0
                                : static_cast<double>(done) / static_cast<double>(total_);
        stopped_ = !callback_(from_ + (to_ - from_) * part);
        if (stopped_) next_ = 0;
        return !stopped_;
    }

    const ProgressCallback& callback_;
    double from_;
    double to_;
    uint64_t total_;
    uint64_t interval_;
    uint64_t next_;
    bool stopped_ = false;
};

}  // namespace qlnx
