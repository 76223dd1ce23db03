#include "xmlquery/XPathFunctionResult.h"

#include "xmlquery/LibXmlText.h"

#include <stdexcept>

namespace marrowvale {

XPathFunctionResult::XPathFunctionResult(XPathObjectPtr result) : result_(std::move(result)) {
    if (!result_) {
        throw std::invalid_argument("XPathFunctionResult needs a result");
    }
}

std::string XPathFunctionResult::stringValue() const {
    return textFromLibXml(result_->stringval).value_or(std::string());
}

} // namespace marrowvale
