#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <vector>

namespace marrowvale::otio {

/// One step on the way from the document's root object to a value: a member key, or a position
/// in a list together with the name of the item found there.
struct CodingPathItem {
    std::string key;                  ///< the member's key; empty for a list position
    std::optional<std::size_t> index; ///< the position in a list
    std::string itemName;             ///< the "name" of the item at that position, when it has one

    bool operator==(const CodingPathItem&) const = default;
};

/// Why an OTIO document could not be decoded. The first fault ends the decoding of the whole
/// document; the error says which of four kinds it is and where it lies, so that the user's
/// alert can name the key and the item that are wrong.
class DecodeError : public std::exception {
public:
    enum class Kind : std::uint8_t {
        keyNotFound,   ///< a required member is missing
        valueNotFound, ///< a required member is null
        typeMismatch,  ///< a member holds another kind of JSON value than its field takes
        dataCorrupted, ///< the bytes are not a JSON document, or a number does not fit its field
    };

    /// An error of `kind` at the document root; `reason` says what is wrong, without the place.
    DecodeError(Kind kind, std::string reason);

    Kind kind() const { return kind_; }
    /// The keys and list positions from the root to the failing value; for a missing member the
    /// path ends with the missing key. Empty when the document as a whole is at fault.
    const std::vector<CodingPathItem>& codingPath() const { return codingPath_; }
    /// The path as text: `tracks.children[0] "V1".children[3].name`.
    std::string codingPathText() const;
    /// What is wrong and where, for the informative text of the alert.
    const std::string& description() const { return description_; }
    /// The kind's name, the path and the reason, for diagnostics on standard output.
    std::string debugDescription() const;
    const char* what() const noexcept override { return description_.c_str(); }

    /// Puts a member key in front of the path while the error travels up through the records.
    void prependKey(std::string key);
    /// Puts a list position in front of the path, with the name of the item there.
    void prependIndex(std::size_t index, std::string itemName);

private:
    void describe();

    Kind kind_;
    std::string reason_;
    std::vector<CodingPathItem> codingPath_;
    std::string description_;
};

/// The kind's name as in the error's debug text, such as "keyNotFound".
const char* kindName(DecodeError::Kind kind);

} // namespace marrowvale::otio
