#include "xlsxwriter/Value.h"

namespace marrowvale {

namespace {

const std::string emptyText;

/// Days from the spreadsheet's day zero (1899-12-30) to 1970-01-01.
constexpr double unixEpochSerial = 25569.0;
constexpr double secondsPerDay = 86400.0;

} // namespace

Value Value::boolean(bool flag) noexcept {
    return Value(Kind::boolean, Payload(std::in_place_type<bool>, flag));
}

Value Value::datetime(DateTime time) noexcept {
    return Value(Kind::datetime, Payload(std::in_place_type<DateTime>, time));
}

double Value::numberValue() const noexcept {
    const double* number = std::get_if<double>(&payload_);
    return number != nullptr ? *number : 0.0;
}

const std::string& Value::text() const noexcept {
    const std::string* text = std::get_if<std::string>(&payload_);
    return text != nullptr ? *text : emptyText;
}

bool Value::flag() const noexcept {
    const bool* flag = std::get_if<bool>(&payload_);
    return flag != nullptr && *flag;
}

Value::DateTime Value::time() const noexcept {
    const DateTime* time = std::get_if<DateTime>(&payload_);
    return time != nullptr ? *time : DateTime{};
}

double Value::serial(DateTime time) noexcept {
    const std::chrono::duration<double> seconds = time.time_since_epoch();
    return seconds.count() / secondsPerDay + unixEpochSerial;
}

} // namespace marrowvale
