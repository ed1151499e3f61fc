#pragma once
// Background checks that must not pile up or land out of order: at most one runs, a
// request while it runs makes one more due after it, and a result counts only when it
// belongs to the latest check started. Used from the UI thread only.
#include <cstdint>
#include <optional>

namespace ravenlock {

class CheckGate {
public:
    // A check is wanted. Gives the generation of the check to start now, or nothing when
    // one is running (another is then due once it ends).
    std::optional<uint64_t> Request();
    // The check of this generation ended (its result handed over, or lost). Gives the
    // generation of the check to start next when one became due meanwhile.
    std::optional<uint64_t> Finished(uint64_t generation);
    // Whether a result of this generation may be shown: no later check was started and
    // nothing was forgotten since.
    bool IsLatest(uint64_t generation) const { return generation == latest_; }
    // What was asked no longer holds (the user forgot the server): results of checks
    // already on their way are dropped.
    void Forget();

private:
    uint64_t latest_ = 0;
    std::optional<uint64_t> running_;
    bool due_ = false;
};

}  // namespace ravenlock
