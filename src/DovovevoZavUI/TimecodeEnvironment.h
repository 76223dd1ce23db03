#pragma once

#include "DovovevoZavCore/TimecodeStringFormat.h"
#include "DovovevoZavUI/TimecodeFieldAction.h"
#include "DovovevoZavUI/TimecodeFieldInputRejectionFeedback.h"
#include "DovovevoZavUI/TimecodeFieldPolicies.h"
#include "DovovevoZavUI/TimecodePaste.h"

#include <QBrush>
#include <QEvent>
#include <QFont>
#include <QObject>
#include <optional>

class QWidget;

namespace dovovevozav {

/// How much smaller a piece of timecode text is drawn.
enum class TimecodeTextScale {
    /// The size of the text around it.
    standard,
    /// A smaller size, for secondary parts such as subframes.
    secondary,
};

/// The font size of a scale relative to the surrounding text: 1 or 0.8.
qreal relativeFontSize(TimecodeTextScale scale);
/// The font at the scale's relative size.
QFont scaledFont(QFont font, TimecodeTextScale scale);

/// The style of the subframes: a foreground (none: the surrounding one) and a scale.
struct TimecodeSubFramesStyle {
    std::optional<QBrush> style;
    TimecodeTextScale scale = TimecodeTextScale::standard;
};

/// The values that decide how the timecode controls below a container look: the format, the
/// separator style, the subframes style and scale, the validation style and the paste action;
/// and how the timecode fields below it behave: the highlight of the focused component, the
/// input style, focus wrapping, the paste and validation policies, the Return and Escape
/// actions and the rejection feedback.
///
/// A container widget carries at most one environment (made by of() on first use, owned by the
/// container). A control reads each value from the nearest widget, itself included, up its
/// parent chain whose environment sets that value, and falls back to the value's default when
/// none does. Each value is set on its own: setting the subframes scale on an inner container
/// keeps the style an outer one set, and setting a style to none clears a style set further
/// out. Every change is announced to the container and all widgets below it with an event of
/// changeEventType().
class TimecodeEnvironment : public QObject {
    Q_OBJECT

public:
    /// The environment the container carries, made on first use.
    static TimecodeEnvironment* of(QWidget* container);
    /// The event type with which changes are announced.
    static QEvent::Type changeEventType();
    /// True for an event after which a widget may see other values: a change announcement or
    /// a new parent.
    static bool mayChangeValues(const QEvent& event);

    /// The format of the timecode text; default: the empty format.
    void setTimecodeFormat(TimecodeStringFormat format);
    /// The foreground of the separators; default: none.
    void setTimecodeSeparatorStyle(const std::optional<QBrush>& style);
    /// The foreground of valid subframes; the scale stays as set further out. Default: none.
    void setTimecodeSubFramesStyle(const std::optional<QBrush>& style);
    /// The foreground and the scale of the subframes.
    void setTimecodeSubFramesStyle(const std::optional<QBrush>& style, TimecodeTextScale scale);
    /// The scale of the subframes; the style stays as set further out. Default: standard.
    void setTimecodeSubFramesScale(TimecodeTextScale scale);
    /// The foreground of invalid components; none turns the validation colouring off.
    /// Default: red.
    void setTimecodeValidationStyle(const std::optional<QBrush>& style);
    /// What a paste into a control below does; default: none.
    void setTimecodePasted(const std::optional<TimecodePasteAction>& action);

    /// How a field signals refused input; none switches the feedback off. Default: a beep and
    /// a pulse (validationBased with the pulse animation).
    void setTimecodeFieldInputRejectionFeedback(
        const std::optional<TimecodeFieldInputRejectionFeedback>& feedback);
    /// The fill of the focused component; none: no fill. Default: the palette's highlight.
    void setTimecodeFieldHighlightStyle(const std::optional<QBrush>& style);
    /// How typed digits fill a component; default: continuousWithinComponent.
    void setTimecodeFieldInputStyle(TimecodeFieldInputStyle style);
    /// Whether focus wraps around the shown components; default: noWrap.
    void setTimecodeFieldInputWrapping(TimecodeFieldInputWrapping wrapping);
    /// What Return does in a component; default: none.
    void setTimecodeFieldReturnAction(const std::optional<TimecodeFieldAction>& action);
    /// What Escape does in a component; default: none.
    void setTimecodeFieldEscapeAction(const std::optional<TimecodeFieldAction>& action);
    /// Which properties a pasted timecode keeps; default: preserveLocalProperties.
    void setTimecodeFieldPastePolicy(TimecodeFieldPastePolicy policy);
    /// Whether out-of-range values may stand; default: enforceValid.
    void setTimecodeFieldValidationPolicy(TimecodeFieldValidationPolicy policy);

    /// The values as the widget sees them.
    static TimecodeStringFormat timecodeFormat(const QWidget* widget);
    static std::optional<QBrush> timecodeSeparatorStyle(const QWidget* widget);
    static TimecodeSubFramesStyle timecodeSubFramesStyle(const QWidget* widget);
    static std::optional<QBrush> timecodeValidationStyle(const QWidget* widget);
    static std::optional<TimecodePasteAction> timecodePasted(const QWidget* widget);
    static std::optional<TimecodeFieldInputRejectionFeedback>
    timecodeFieldInputRejectionFeedback(const QWidget* widget);
    static std::optional<QBrush> timecodeFieldHighlightStyle(const QWidget* widget);
    static TimecodeFieldInputStyle timecodeFieldInputStyle(const QWidget* widget);
    static TimecodeFieldInputWrapping timecodeFieldInputWrapping(const QWidget* widget);
    static std::optional<TimecodeFieldAction> timecodeFieldReturnAction(const QWidget* widget);
    static std::optional<TimecodeFieldAction> timecodeFieldEscapeAction(const QWidget* widget);
    static TimecodeFieldPastePolicy timecodeFieldPastePolicy(const QWidget* widget);
    static TimecodeFieldValidationPolicy timecodeFieldValidationPolicy(const QWidget* widget);

private:
    explicit TimecodeEnvironment(QWidget* container);

    // The value of a slot in the nearest environment from the widget up that sets it.
    template <class Value>
    static std::optional<Value> nearest(const QWidget* widget,
                                        std::optional<Value> TimecodeEnvironment::*slot);
    // Announces a change to the container and everything below it.
    void announceChange();

    QWidget* container_;
    // Each slot is empty while this container leaves the value to those further out.
    std::optional<TimecodeStringFormat> format_;
    std::optional<std::optional<QBrush>> separatorStyle_;
    std::optional<std::optional<QBrush>> subFramesStyle_;
    std::optional<TimecodeTextScale> subFramesScale_;
    std::optional<std::optional<QBrush>> validationStyle_;
    std::optional<std::optional<TimecodePasteAction>> pasted_;
    std::optional<std::optional<TimecodeFieldInputRejectionFeedback>> rejectionFeedback_;
    std::optional<std::optional<QBrush>> highlightStyle_;
    std::optional<TimecodeFieldInputStyle> inputStyle_;
    std::optional<TimecodeFieldInputWrapping> inputWrapping_;
    std::optional<std::optional<TimecodeFieldAction>> returnAction_;
    std::optional<std::optional<TimecodeFieldAction>> escapeAction_;
    std::optional<TimecodeFieldPastePolicy> pastePolicy_;
    std::optional<TimecodeFieldValidationPolicy> validationPolicy_;
};

} // namespace dovovevozav
