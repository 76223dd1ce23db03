#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace marrowvale {

/// Why an import could not use its file. Each case's text is a message and an advice for the
/// user joined by " | "; the message becomes an alert's message and the advice its informative
/// text. Readers throw it; whoever catches it shows the alert.
class XMLContentError : public std::exception {
public:
    enum Case {
        malformed,
        fcpxmldBinary,
        emptyFCPXML,
        emptyXMEML,
        invalidFCPXML,
        invalidXMEML,
        fcpxmlTooOld,
        badOTIO,
    };

    /// The error of the given case.
    explicit XMLContentError(Case errorCase);

    /// The error whose whole text is exactly `rawValue`; none for any other text.
    static std::optional<XMLContentError> fromRawValue(std::string_view rawValue);

    /// The case this error stands for.
    Case errorCase() const { return case_; }

    /// The full text: message, " | ", advice (badOTIO has no advice).
    std::string_view rawValue() const;

    /// The text before the first " | " (empty pieces skipped); none when nothing is left.
    std::optional<std::string> errorDescription() const;

    /// The text after the last " | " (empty pieces skipped); none when nothing is left. A text
    /// without the separator gives the same text as the description.
    std::optional<std::string> recoverySuggestion() const;

    /// The description, for logs and generic handlers.
    const char* what() const noexcept override;

    bool operator==(const XMLContentError& other) const { return case_ == other.case_; }

private:
    Case case_;
    std::string description_;
};

} // namespace marrowvale

template <>
struct std::hash<marrowvale::XMLContentError> {
    std::size_t operator()(const marrowvale::XMLContentError& error) const noexcept {
        return std::hash<std::string_view>{}(error.rawValue());
    }
};
