#pragma once

#include "DovovevoZavCore/ContentType.h"
#include "DovovevoZavCore/ItemProvider.h"
#include "DovovevoZavCore/Timecode.h"

#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <vector>

namespace dovovevozav {

/// The one error of loading a timecode from item providers, whatever the cause (no suitable
/// item, a failed text load, text that is no timecode): a value was not found.
class TimecodeTransferError : public std::runtime_error {
public:
    TimecodeTransferError()
        : std::runtime_error("The data couldn't be read because it is missing.") {}
};

/// Copying, dragging and pasting timecodes. A timecode travels as two forms, in this order:
/// its JSON record under the timecode content type (properties included) and its text as
/// UTF-8 plain text for any other receiver.
namespace TimecodeTransfer {

/// The timecode content type and UTF-8 plain text, in this order.
const std::vector<ContentType>& itemProviderContentTypes();

/// The typed form: the timecode's JSON record.
std::vector<std::uint8_t> exportTimecodeData(const Timecode& timecode);
/// Reads the typed form; throws DecodingError.
Timecode importTimecodeData(std::span<const std::uint8_t> data);
/// The text form with subframes ("01:00:00:00.00"), as UTF-8.
std::vector<std::uint8_t> exportPlainText(const Timecode& timecode);

/// Providers for a timecode: the typed form (left out if it cannot be encoded) first, then
/// the text in the given format.
std::vector<std::shared_ptr<const ItemProvider>>
makeItemProviders(const Timecode& timecode,
                  const TimecodeStringFormat& format = TimecodeStringFormat());

/// The timecode a paste or drop delivers: the first provider with the timecode type gives the
/// decoded timecode with its own properties; otherwise (or when that fails) the first provider
/// with plain text gives the parsed text at `properties`, components kept as parsed. Throws
/// TimecodeTransferError when neither works.
Timecode loadTimecode(std::span<const std::shared_ptr<const ItemProvider>> providers,
                      const TimecodeProperties& properties);
/// The same for one provider.
Timecode loadTimecode(const ItemProvider& provider, const TimecodeProperties& properties);

} // namespace TimecodeTransfer

} // namespace dovovevozav
