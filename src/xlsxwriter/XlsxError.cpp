#include "xlsxwriter/XlsxError.h"

#include <xlsxwriter.h>

namespace marrowvale {

XlsxError::XlsxError(int code) : XlsxError(code, lxw_strerror(static_cast<lxw_error>(code))) {}

XlsxError::XlsxError(int code, const std::string& message)
    : std::runtime_error(message), code_(code) {}

} // namespace marrowvale
