#pragma once

#include "xmlquery/LibXmlHandles.h"

#include <string>

namespace marrowvale {

/// A scalar XPath result such as count(x), string(x) or a comparison. Each value is read as the
/// result holds it, without conversion between types: a number result has the text "", a node
/// set result reads false, 0 and "".
class XPathFunctionResult {
public:
    /// Takes ownership of a libxml2 XPath result; it must not be null.
    explicit XPathFunctionResult(XPathObjectPtr result);

    /// The boolean value of a boolean result.
    bool boolValue() const noexcept { return result_->boolval != 0; }

    /// The number of a number result.
    double doubleValue() const noexcept { return result_->floatval; }

    /// The text of a string result; "" for others.
    std::string stringValue() const;

private:
    XPathObjectPtr result_;
};

} // namespace marrowvale
