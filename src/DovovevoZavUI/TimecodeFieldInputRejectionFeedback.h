#pragma once

#include "DovovevoZavCore/TimecodeComponent.h"
#include "DovovevoZavUI/KeyEquivalent.h"
#include "DovovevoZavUI/RawTextEnumeration.h"

#include <array>
#include <functional>
#include <optional>
#include <string_view>
#include <utility>
#include <variant>

namespace dovovevozav {

/// How a timecode field signals a refused input: a beep followed by an optional animation
/// (validationBased and validationBasedAndUndefinedKeys, which the field treats alike, for
/// refused keys whatever the reason and for refused pastes), or a call of a function of the
/// caller's instead (custom), with no beep and no animation. It has no equality: a function
/// cannot be compared.
class TimecodeFieldInputRejectionFeedback {
public:
    /// Why a key was refused.
    enum class Reason {
        /// The key would make the value invalid.
        invalid,
        /// The key has no meaning in the field.
        undefinedKey,
    };

    /// How the refusing view moves.
    enum class RejectionAnimation {
        /// Jumps to the right and springs back.
        shake,
        /// Brightens and fades back.
        pulse,
    };

    /// A key press a component refused.
    struct KeyRejected {
        TimecodeComponent component;
        KeyEquivalent key;
        Reason reason = Reason::invalid;

        friend bool operator==(const KeyRejected&, const KeyRejected&) = default;
    };
    /// A paste the field refused.
    struct PasteRejected {
        friend bool operator==(const PasteRejected&, const PasteRejected&) = default;
    };
    /// What the user did that was refused.
    using UserAction = std::variant<KeyRejected, PasteRejected>;

    enum class Kind { validationBased, validationBasedAndUndefinedKeys, custom };

    static TimecodeFieldInputRejectionFeedback
    validationBased(std::optional<RejectionAnimation> animation) {
        return TimecodeFieldInputRejectionFeedback(Kind::validationBased, animation, {});
    }
    static TimecodeFieldInputRejectionFeedback
    validationBasedAndUndefinedKeys(std::optional<RejectionAnimation> animation) {
        return TimecodeFieldInputRejectionFeedback(Kind::validationBasedAndUndefinedKeys, animation,
                                                   {});
    }
    /// The handler is called on the main thread, once per refused input.
    static TimecodeFieldInputRejectionFeedback
    custom(std::function<void(const UserAction&)> handler) {
        return TimecodeFieldInputRejectionFeedback(Kind::custom, std::nullopt, std::move(handler));
    }

    Kind kind() const { return kind_; }
    /// The animation after the beep; none for custom.
    std::optional<RejectionAnimation> animation() const { return animation_; }
    /// The caller's function; empty unless custom.
    const std::function<void(const UserAction&)>& handler() const { return handler_; }

private:
    TimecodeFieldInputRejectionFeedback(Kind kind, std::optional<RejectionAnimation> animation,
                                        std::function<void(const UserAction&)> handler)
        : kind_(kind), animation_(animation), handler_(std::move(handler)) {}

    Kind kind_;
    std::optional<RejectionAnimation> animation_;
    std::function<void(const UserAction&)> handler_;
};

template <>
struct RawTexts<TimecodeFieldInputRejectionFeedback::Reason> {
    static constexpr std::array<std::string_view, 2> texts = {"invalid", "undefinedKey"};
};

template <>
struct RawTexts<TimecodeFieldInputRejectionFeedback::RejectionAnimation> {
    static constexpr std::array<std::string_view, 2> texts = {"shake", "pulse"};
};

} // namespace dovovevozav
