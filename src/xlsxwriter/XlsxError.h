#pragma once

#include <stdexcept>
#include <string>
#include <system_error>

namespace marrowvale {

/// A failure of the spreadsheet library or a refused argument, raised by the spreadsheet layer
/// instead of ending the program. `what()` is the library's own description of the failure.
class XlsxError : public std::runtime_error {
public:
    /// An error for a library error code; the message is the library's text for that code.
    explicit XlsxError(int code);

    /// An error with a library error code and a message of the layer's own.
    XlsxError(int code, const std::string& message);

    /// An error for a library error code that a system call caused, such as a full disk.
    XlsxError(int code, std::error_code systemError);

    /// The library's error code (an `lxw_error` value).
    int code() const noexcept { return code_; }

    /// The system's reason for a failed file operation; empty when the library gave none.
    std::error_code systemError() const noexcept { return systemError_; }

private:
    int code_;
    std::error_code systemError_;
};

} // namespace marrowvale
