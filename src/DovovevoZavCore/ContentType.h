#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dovovevozav {

/// A type of transferable content, named by a reverse-DNS identifier, that conforms to the
/// more general types it is a kind of (UTF-8 plain text is plain text is text is data).
class ContentType {
public:
    /// A type with its identifier and the identifiers of every type it conforms to.
    ContentType(std::string identifier, std::vector<std::string> conformsTo)
        : identifier_(std::move(identifier)), conformsTo_(std::move(conformsTo)) {}

    /// The identifier, such as "public.utf8-plain-text".
    const std::string& identifier() const { return identifier_; }
    /// True when this type is the named type or conforms to it.
    bool conforms(std::string_view identifier) const;

    /// Generic bytes: "public.data".
    static const ContentType& data();
    /// UTF-8 plain text: "public.utf8-plain-text" (conforms to plain text, text and data).
    static const ContentType& utf8PlainText();
    /// A timecode record: "com.fernhollow.DovovevoZav.timecode" (conforms to data).
    static const ContentType& timecode();

    friend bool operator==(const ContentType& lhs, const ContentType& rhs) {
        return lhs.identifier_ == rhs.identifier_;
    }

private:
    std::string identifier_;
    std::vector<std::string> conformsTo_;
};

} // namespace dovovevozav
