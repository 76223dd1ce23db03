#include "app/StopRequest.h"

namespace marrowvale {

void StopRequest::request(int reason) noexcept {
    int none = 0;
    reason_.compare_exchange_strong(none, reason);
}

void StopRequest::check() const {
    if (isRequested()) {
        throw TaskStopped();
    }
}

} // namespace marrowvale
