#pragma once

#include "DovovevoZavCore/ItemProvider.h"
#include "DovovevoZavCore/Timecode.h"

#include <QString>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <variant>
#include <vector>

class QMimeData;
class QObject;

namespace dovovevozav {

/// What loading a pasted timecode gave: the timecode, or the error that stopped it.
using TimecodePasteResult = std::variant<Timecode, std::exception_ptr>;

/// What a container does with a timecode pasted into a control below it. Copies share the
/// function.
struct TimecodePasteAction {
    std::function<void(const TimecodePasteResult&)> action;
};

/// The clipboard format of the typed timecode form: the timecode content type's identifier.
QString timecodeMimeType();

/// Item providers for pasted data: the typed timecode record when present, then the text.
/// The data is copied, so the clipboard may change before the paste is loaded.
std::vector<std::shared_ptr<const ItemProvider>> itemProviders(const QMimeData& data);
/// The item providers of the clipboard's data; none when it holds neither kind, and then the
/// paste commands do nothing at all.
std::vector<std::shared_ptr<const ItemProvider>> clipboardItemProviders();

/// Handles one paste and returns at once. From the event loop it fetches the paste action
/// (none: nothing is loaded and nothing happens), loads a timecode from the providers at the
/// properties (the typed record first, else the text parsed at the properties) and calls the
/// action once, with the timecode or with the loading error. Nothing happens when `context`
/// (may be null) is destroyed before then.
void performTimecodePaste(std::vector<std::shared_ptr<const ItemProvider>> providers,
                          std::function<std::optional<TimecodePasteAction>()> pasteAction,
                          const TimecodeProperties& properties, const QObject* context);

} // namespace dovovevozav
