#include "DovovevoZavCore/TimecodeTransfer.h"

#include "DovovevoZavCore/TimecodeCoding.h"
#include "DovovevoZavCore/UTF8Text.h"

#include <string>
#include <utility>

namespace dovovevozav::TimecodeTransfer {

namespace {

Timecode loadFrom(std::span<const ItemProvider* const> providers,
                  const TimecodeProperties& properties) {
    const std::string& timecodeType = ContentType::timecode().identifier();
    for (const ItemProvider* provider : providers) {
        if (provider != nullptr && provider->hasItemConformingTo(timecodeType)) {
            try {
                return importTimecodeData(provider->loadData(timecodeType));
            } catch (const std::exception&) {
                // A typed item that fails to load gives way to the text form.
            }
            break;
        }
    }
    const std::string& textType = ContentType::utf8PlainText().identifier();
    for (const ItemProvider* provider : providers) {
        if (provider == nullptr || !provider->hasItemConformingTo(textType)) {
            continue;
        }
        std::vector<std::uint8_t> bytes;
        try {
            bytes = provider->loadData(textType);
        } catch (const std::exception&) {
            throw TimecodeTransferError();
        }
        std::string text(bytes.begin(), bytes.end());
        if (!isValidUTF8(text)) {
            throw TimecodeTransferError();
        }
        try {
            return Timecode(FormattedTimecodeSourceValue(std::move(text)), properties,
                            TimecodeValidationRule::allowingInvalid);
        } catch (const TimecodeStringParseError&) {
            throw TimecodeTransferError();
        }
    }
    throw TimecodeTransferError();
}

} // namespace

const std::vector<ContentType>& itemProviderContentTypes() {
    static const std::vector<ContentType> types{ContentType::timecode(),
                                                ContentType::utf8PlainText()};
    return types;
}

std::vector<std::uint8_t> exportTimecodeData(const Timecode& timecode) {
    const std::string json = timecodeJSONText(timecode);
    return std::vector<std::uint8_t>(json.begin(), json.end());
}

Timecode importTimecodeData(std::span<const std::uint8_t> data) {
    return timecodeFromJSONText(
        std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
}

std::vector<std::uint8_t> exportPlainText(const Timecode& timecode) {
    const std::string text = timecode.description();
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

std::vector<std::shared_ptr<const ItemProvider>>
makeItemProviders(const Timecode& timecode, const TimecodeStringFormat& format) {
    std::vector<std::shared_ptr<const ItemProvider>> providers;
    try {
        providers.push_back(std::make_shared<DataItemProvider>(ContentType::timecode(),
                                                               exportTimecodeData(timecode)));
    } catch (const std::exception&) {
        // Without the typed form the text alone still transfers the timecode.
    }
    providers.push_back(std::make_shared<DataItemProvider>(
        DataItemProvider::text(timecode.formattedString(format))));
    return providers;
}

Timecode loadTimecode(std::span<const std::shared_ptr<const ItemProvider>> providers,
                      const TimecodeProperties& properties) {
    std::vector<const ItemProvider*> pointers;
    pointers.reserve(providers.size());
    for (const auto& provider : providers) {
        pointers.push_back(provider.get());
    }
    return loadFrom(pointers, properties);
}

Timecode loadTimecode(const ItemProvider& provider, const TimecodeProperties& properties) {
    const ItemProvider* const pointer = &provider;
    return loadFrom(std::span<const ItemProvider* const>(&pointer, 1), properties);
}

} // namespace dovovevozav::TimecodeTransfer
