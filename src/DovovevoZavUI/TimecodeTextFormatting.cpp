#include "DovovevoZavUI/TimecodeTextFormatting.h"

#include <utility>

namespace dovovevozav {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isTimecodeCharacter(char c) {
    return isDigit(c) || c == ':' || c == ';' || c == '.' || c == ' ';
}

TimecodeTypingCheck refused(std::string errorDescription = {}) {
    return {TimecodeTypingCheck::Outcome::refused, {}, std::move(errorDescription)};
}

} // namespace

TimecodeTypingCheck checkTimecodeTyping(std::string_view proposed,
                                        std::optional<TimecodeFrameRate> frameRate,
                                        std::optional<TimecodeUpperLimit> upperLimit,
                                        TimecodeStringFormat format) {
    if (!frameRate || !upperLimit || proposed.empty()) {
        return {};
    }
    // Any byte of a non-ASCII character falls outside the set as well.
    for (const char c : proposed) {
        if (!isTimecodeCharacter(c)) {
            return refused("Invalid characters.");
        }
    }

    const bool dropFrame = frameRate->isDropFrame();
    int separators = 0;
    int dots = 0;
    int groups = 0;
    bool spaceSeen = false;
    bool changed = false;
    std::string rewritten;
    rewritten.reserve(proposed.size());
    for (char c : proposed) {
        if (c == '.' || c == ';') {
            if (separators <= 2) {
                // Among the first three separators both stand for a component separator;
                // the third is the one before the frames.
                c = dropFrame && separators == 2 ? ';' : ':';
                changed = true;
            } else if (c == '.' && dots > 0) {
                return refused();
            }
        } else if (c == ' ') {
            if (upperLimit->value() == TimecodeUpperLimit::max24Hours) {
                return refused();
            }
            if (groups != 1 || separators != 0 || dots != 0 || spaceSeen) {
                return refused();
            }
            spaceSeen = true;
        }
        if (c == ':' || c == ';') {
            if (++separators == 4) {
                return refused();
            }
        } else if (c == '.') {
            if (++dots == 2 || !format.showSubFrames()) {
                return refused();
            }
        } else if (isDigit(c) && (rewritten.empty() || !isDigit(rewritten.back()))) {
            ++groups;
        }
        rewritten += c;
    }
    if (!changed) {
        return {};
    }
    return {TimecodeTypingCheck::Outcome::replaced, std::move(rewritten), {}};
}

std::optional<Timecode> parseTimecodeText(std::string_view text,
                                          const TimecodeProperties& properties) {
    try {
        Timecode timecode(properties);
        timecode.setComponents(Timecode::parseComponents(text));
        return timecode;
    } catch (const TimecodeStringParseError&) {
        return std::nullopt;
    }
}

std::string displayTimecodeText(std::string_view text,
                                const std::optional<TimecodeProperties>& properties,
                                TimecodeStringFormat format) {
    if (properties) {
        if (const auto timecode = parseTimecodeText(text, *properties)) {
            return timecode->formattedString(format);
        }
    }
    return std::string(text);
}

} // namespace dovovevozav
