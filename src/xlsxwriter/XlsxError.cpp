#include "xlsxwriter/XlsxError.h"

#include <xlsxwriter.h>

namespace marrowvale {

XlsxError::XlsxError(int code) : XlsxError(code, lxw_strerror(static_cast<lxw_error>(code))) {}

XlsxError::XlsxError(int code, const std::string& message)
    : std::runtime_error(message), code_(code) {}

XlsxError::XlsxError(int code, std::error_code systemError)
    : std::runtime_error(lxw_strerror(static_cast<lxw_error>(code))), code_(code),
      systemError_(systemError) {}

} // namespace marrowvale
