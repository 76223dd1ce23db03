#include "DovovevoZavUI/TimecodeEnvironment.h"

#include <QCoreApplication>
#include <QWidget>

namespace dovovevozav {

namespace {

const TimecodeEnvironment* environmentOf(const QWidget* widget) {
    return widget->findChild<const TimecodeEnvironment*>(QString(), Qt::FindDirectChildrenOnly);
}

} // namespace

qreal relativeFontSize(TimecodeTextScale scale) {
    return scale == TimecodeTextScale::secondary ? 0.8 : 1.0;
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

} // namespace dovovevozav
