#include "model/FxKeyValueTime.h"

namespace marrowvale {

FxKeyValueTime::FxKeyValueTime(std::string key, std::string value, std::optional<double> time)
    : key(std::move(key)), value(std::move(value)), time(time) {}

} // namespace marrowvale
