#pragma once

#include <stdexcept>
#include <string>

namespace marrowvale {

/// The one error type of the XML query layer: raised by a failed parse and by a failed XPath
/// evaluation.
class XMLError : public std::runtime_error {
public:
    /// What went wrong.
    enum class Kind {
        libXMLError,   ///< libxml2 recorded an error: code() and message() hold it
        xpathError,    ///< an XPath step failed without an error on record; code() is 1207
        noError,       ///< never raised by this layer
        invalidData,   ///< text cannot be represented in the requested character encoding
        parserFailure, ///< a parse failed without an error on record
        inputTooLarge, ///< the input is 2 GiB or more, beyond what libxml2 can take
    };

    /// libxml2's code for an invalid XPath expression.
    static constexpr int xpathExpressionErrorCode = 1207;

    /// An error of the given kind; code and message matter for libXMLError and xpathError.
    explicit XMLError(Kind kind, int code = 0, std::string message = {});

    /// An error carrying libxml2's code and (trimmed) message.
    static XMLError libXML(int code, std::string message);

    /// The XPath error used when libxml2 recorded nothing.
    static XMLError xpath() { return XMLError(Kind::xpathError, xpathExpressionErrorCode); }

    /// libxml2's last error of this thread as a libXMLError, clearing that record; the given
    /// default when libxml2 has nothing on record.
    static XMLError lastError(const XMLError& defaultError);

    /// The kind of failure.
    Kind kind() const noexcept { return kind_; }

    /// libxml2's error code (libXMLError), 1207 (xpathError), else 0.
    int code() const noexcept { return code_; }

    /// libxml2's message without surrounding white space (libXMLError), else "".
    const std::string& message() const noexcept { return message_; }

private:
    Kind kind_;
    int code_;
    std::string message_;
};

} // namespace marrowvale
