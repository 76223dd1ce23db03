#pragma once

#include "DovovevoZavCore/TimecodeStringFormat.h"
#include "DovovevoZavUI/TimecodePaste.h"

#include <QBrush>
#include <QEvent>
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

/// The style of the subframes: a foreground (none: the surrounding one) and a scale.
struct TimecodeSubFramesStyle {
    std::optional<QBrush> style;
    TimecodeTextScale scale = TimecodeTextScale::standard;
};

/// The values that decide how the timecode controls below a container look: the format, the
/// separator style, the subframes style and scale, the validation style and the paste action.
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

    /// The values as the widget sees them.
    static TimecodeStringFormat timecodeFormat(const QWidget* widget);
    static std::optional<QBrush> timecodeSeparatorStyle(const QWidget* widget);
    static TimecodeSubFramesStyle timecodeSubFramesStyle(const QWidget* widget);
    static std::optional<QBrush> timecodeValidationStyle(const QWidget* widget);
    static std::optional<TimecodePasteAction> timecodePasted(const QWidget* widget);

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
};

} // namespace dovovevozav
