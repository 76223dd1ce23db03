#include "services/MissingHelperNotice.h"

#include "app/ReaderHost.h"
#include "media/MediaProbeProcess.h"

#include <unistd.h>

namespace marrowvale {

void MissingHelperNotice::tell(ReaderHost& host) {
    if (told_) {
        return;
    }
    told_ = true;
    const std::filesystem::path program = helper_ ? *helper_ : MediaProbeProcess::installedHelper();
    if (program.empty() || ::access(program.c_str(), X_OK) != 0) {
        host.showWarning("The media helper marrowvale-media-probe was not found: media files are "
                         "read without a time limit.");
    }
}

} // namespace marrowvale
