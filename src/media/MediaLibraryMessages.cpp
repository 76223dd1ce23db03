#include "media/MediaLibraryMessages.h"

#include <taglib/tdebuglistener.h>

extern "C" {
#include <libavutil/log.h>
}

namespace marrowvale {

namespace {

class SilentListener final : public TagLib::DebugListener {
public:
    void printMessage(const TagLib::String&) override {}
};

} // namespace

void silenceMediaLibraryMessages() {
    av_log_set_level(AV_LOG_QUIET);
    // TagLib keeps the listener's address: it lives as long as the program.
    static SilentListener listener;
    TagLib::setDebugListener(&listener);
}

} // namespace marrowvale
