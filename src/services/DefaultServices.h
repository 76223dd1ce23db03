#pragma once

#include "app/controller/AppServices.h"
#include "media/MediaBatchSettings.h"

#include <ostream>

namespace marrowvale {

/// The readers, the report writer and media probing as both front ends give them to the
/// controller, with report diagnostics going to `diagnostics` (null keeps the report quiet).
/// Media files are read as `media` say (its helper, time limit and workers; its callbacks are
/// set from the host of each run). Silences the media libraries' own messages on the terminal
/// as it wires them.
AppServices defaultAppServices(std::ostream* diagnostics, MediaBatchSettings media = {});

} // namespace marrowvale
