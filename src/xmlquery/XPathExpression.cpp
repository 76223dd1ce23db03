#include "xmlquery/XPathExpression.h"

#include "xmlquery/XPathContext.h"

namespace marrowvale {

XPathExpression::XPathExpression(std::string_view expression) : text_(expression) {
    XPathContext compiler(nullptr);
    compiled_ = std::shared_ptr<xmlXPathCompExpr>(compiler.compile(text_).release(),
                                                  XPathCompExprDeleter());
}

} // namespace marrowvale
