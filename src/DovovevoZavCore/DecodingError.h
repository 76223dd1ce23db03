#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace dovovevozav {

/// Raised when a keyed record cannot be read: a key is missing, a value has the wrong type or
/// is null, or a value is not one of those accepted. Carries the path of keys to the value.
class DecodingError : public std::runtime_error {
public:
    enum class Kind : std::uint8_t { keyNotFound, typeMismatch, valueNotFound, dataCorrupted };
    using enum Kind;

    /// An error of a kind at a path of keys, with a description for diagnostics.
    DecodingError(Kind kind, std::vector<std::string> codingPath, std::string debugDescription)
        : std::runtime_error(debugDescription), kind_(kind), codingPath_(std::move(codingPath)),
          debugDescription_(std::move(debugDescription)) {}

    /// Which failure this is.
    Kind kind() const { return kind_; }
    /// The keys leading to the value that failed (empty for the record itself).
    const std::vector<std::string>& codingPath() const { return codingPath_; }
    /// What went wrong, such as "Decoded value is not valid.".
    const std::string& debugDescription() const { return debugDescription_; }

private:
    Kind kind_;
    std::vector<std::string> codingPath_;
    std::string debugDescription_;
};

} // namespace dovovevozav
