#include "online/check_gate.h"

namespace ravenlock {

std::optional<uint64_t> CheckGate::Request() {
    if (running_) {
        due_ = true;
        return std::nullopt;
    }
    running_ = ++latest_;
    return running_;
}

std::optional<uint64_t> CheckGate::Finished(uint64_t generation) {
    if (running_ != generation) return std::nullopt;  // a check from before a Forget
    running_.reset();
    if (!due_) return std::nullopt;
    due_ = false;
    return Request();
}

void CheckGate::Forget() {
    ++latest_;
    running_.reset();
    due_ = false;
}

}  // namespace ravenlock
