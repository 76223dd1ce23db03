#include "DovovevoZavUI/TimecodeEnvironment.h"

#include <QCoreApplication>
#include <QWidget>
#include <algorithm>

namespace dovovevozav {

namespace {

const TimecodeEnvironment* environmentOf(const QWidget* widget) {
    return widget->findChild<const TimecodeEnvironment*>(QString(), Qt::FindDirectChildrenOnly);
}

} // namespace

qreal relativeFontSize(TimecodeTextScale scale) {
    return scale == TimecodeTextScale::secondary ? 0.8 : 1.0;
}

QFont scaledFont(QFont font, TimecodeTextScale scale) {
    const qreal size = relativeFontSize(scale);
    if (font.pointSizeF() > 0) {
        font.setPointSizeF(font.pointSizeF() * size);
    } else {
        font.setPixelSize(std::max(1, qRound(font.pixelSize() * size)));
    }
    return font;
}

TimecodeEnvironment::TimecodeEnvironment(QWidget* container)
    : QObject(container), container_(container) {}

TimecodeEnvironment* TimecodeEnvironment::of(QWidget* container) {
    auto* environment =
        container->findChild<TimecodeEnvironment*>(QString(), Qt::FindDirectChildrenOnly);
    return environment != nullptr ? environment : new TimecodeEnvironment(container);
}

QEvent::Type TimecodeEnvironment::changeEventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

bool TimecodeEnvironment::mayChangeValues(const QEvent& event) {
    return event.type() == changeEventType() || event.type() == QEvent::ParentChange;
}

void TimecodeEnvironment::announceChange() {
    QEvent toContainer(changeEventType());
    QCoreApplication::sendEvent(container_, &toContainer);
    for (QWidget* widget : container_->findChildren<QWidget*>()) {
        QEvent event(changeEventType());
        QCoreApplication::sendEvent(widget, &event);
    }
}

void TimecodeEnvironment::setTimecodeFormat(TimecodeStringFormat format) {
    format_ = format;
    announceChange();
}

void TimecodeEnvironment::setTimecodeSeparatorStyle(const std::optional<QBrush>& style) {
    separatorStyle_ = style;
    announceChange();
}

void TimecodeEnvironment::setTimecodeSubFramesStyle(const std::optional<QBrush>& style) {
    subFramesStyle_ = style;
    announceChange();
}

void TimecodeEnvironment::setTimecodeSubFramesStyle(const std::optional<QBrush>& style,
                                                    TimecodeTextScale scale) {
    subFramesStyle_ = style;
    subFramesScale_ = scale;
    announceChange();
}

void TimecodeEnvironment::setTimecodeSubFramesScale(TimecodeTextScale scale) {
    subFramesScale_ = scale;
    announceChange();
}

void TimecodeEnvironment::setTimecodeValidationStyle(const std::optional<QBrush>& style) {
    validationStyle_ = style;
    announceChange();
}

void TimecodeEnvironment::setTimecodePasted(const std::optional<TimecodePasteAction>& action) {
    pasted_ = action;
    announceChange();
}

void TimecodeEnvironment::setTimecodeFieldInputRejectionFeedback(
    const std::optional<TimecodeFieldInputRejectionFeedback>& feedback) {
    rejectionFeedback_ = feedback;
    announceChange();
}

void TimecodeEnvironment::setTimecodeFieldHighlightStyle(const std::optional<QBrush>& style) {
    highlightStyle_ = style;
    announceChange();
}

void TimecodeEnvironment::setTimecodeFieldInputStyle(TimecodeFieldInputStyle style) {
    inputStyle_ = style;
    announceChange();
}

void TimecodeEnvironment::setTimecodeFieldInputWrapping(TimecodeFieldInputWrapping wrapping) {
    inputWrapping_ = wrapping;
    announceChange();
}

void TimecodeEnvironment::setTimecodeFieldReturnAction(
    const std::optional<TimecodeFieldAction>& action) {
    returnAction_ = action;
    announceChange();
}

void TimecodeEnvironment::setTimecodeFieldEscapeAction(
    const std::optional<TimecodeFieldAction>& action) {
    escapeAction_ = action;
    announceChange();
}

void TimecodeEnvironment::setTimecodeFieldPastePolicy(TimecodeFieldPastePolicy policy) {
    pastePolicy_ = policy;
    announceChange();
}

void TimecodeEnvironment::setTimecodeFieldValidationPolicy(TimecodeFieldValidationPolicy policy) {
    validationPolicy_ = policy;
    announceChange();
}

template <class Value>
std::optional<Value> TimecodeEnvironment::nearest(const QWidget* widget,
                                                  std::optional<Value> TimecodeEnvironment::*slot) {
    for (const QWidget* current = widget; current != nullptr; current = current->parentWidget()) {
        const TimecodeEnvironment* environment = environmentOf(current);
        if (environment != nullptr && environment->*slot) {
            return environment->*slot;
        }
    }
    return std::nullopt;
}

TimecodeStringFormat TimecodeEnvironment::timecodeFormat(const QWidget* widget) {
    return nearest(widget, &TimecodeEnvironment::format_).value_or(TimecodeStringFormat());
}

std::optional<QBrush> TimecodeEnvironment::timecodeSeparatorStyle(const QWidget* widget) {
    return nearest(widget, &TimecodeEnvironment::separatorStyle_).value_or(std::nullopt);
}

TimecodeSubFramesStyle TimecodeEnvironment::timecodeSubFramesStyle(const QWidget* widget) {
    return {nearest(widget, &TimecodeEnvironment::subFramesStyle_).value_or(std::nullopt),
            nearest(widget, &TimecodeEnvironment::subFramesScale_)
                .value_or(TimecodeTextScale::standard)};
}

std::optional<QBrush> TimecodeEnvironment::timecodeValidationStyle(const QWidget* widget) {
    if (const auto style = nearest(widget, &TimecodeEnvironment::validationStyle_)) {
        return *style;
    }
    return QBrush(Qt::red);
}

std::optional<TimecodePasteAction> TimecodeEnvironment::timecodePasted(const QWidget* widget) {
    return nearest(widget, &TimecodeEnvironment::pasted_).value_or(std::nullopt);
}

std::optional<TimecodeFieldInputRejectionFeedback>
TimecodeEnvironment::timecodeFieldInputRejectionFeedback(const QWidget* widget) {
    return nearest(widget, &TimecodeEnvironment::rejectionFeedback_)
        .value_or(TimecodeFieldInputRejectionFeedback::validationBased(
            TimecodeFieldInputRejectionFeedback::RejectionAnimation::pulse));
}

std::optional<QBrush> TimecodeEnvironment::timecodeFieldHighlightStyle(const QWidget* widget) {
    if (const auto style = nearest(widget, &TimecodeEnvironment::highlightStyle_)) {
        return *style;
    }
    return widget->palette().brush(QPalette::Highlight);
}

TimecodeFieldInputStyle TimecodeEnvironment::timecodeFieldInputStyle(const QWidget* widget) {
    return nearest(widget, &TimecodeEnvironment::inputStyle_)
        .value_or(TimecodeFieldInputStyle::continuousWithinComponent);
}

TimecodeFieldInputWrapping TimecodeEnvironment::timecodeFieldInputWrapping(const QWidget* widget) {
    return nearest(widget, &TimecodeEnvironment::inputWrapping_)
        .value_or(TimecodeFieldInputWrapping::noWrap);
}

std::optional<TimecodeFieldAction>
TimecodeEnvironment::timecodeFieldReturnAction(const QWidget* widget) {
    return nearest(widget, &TimecodeEnvironment::returnAction_).value_or(std::nullopt);
}

std::optional<TimecodeFieldAction>
TimecodeEnvironment::timecodeFieldEscapeAction(const QWidget* widget) {
    return nearest(widget, &TimecodeEnvironment::escapeAction_).value_or(std::nullopt);
}

TimecodeFieldPastePolicy TimecodeEnvironment::timecodeFieldPastePolicy(const QWidget* widget) {
    return nearest(widget, &TimecodeEnvironment::pastePolicy_)
        .value_or(TimecodeFieldPastePolicy::preserveLocalProperties);
}

TimecodeFieldValidationPolicy
TimecodeEnvironment::timecodeFieldValidationPolicy(const QWidget* widget) {
    return nearest(widget, &TimecodeEnvironment::validationPolicy_)
        .value_or(TimecodeFieldValidationPolicy::enforceValid);
}

} // namespace dovovevozav
