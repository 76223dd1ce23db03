#include "app/ColumnSetKind.h"

namespace marrowvale {

std::optional<ColumnSetKind> columnSetKindForExtension(std::string_view extension) {
    if (extension == "xml") {
        return ColumnSetKind::xmeml;
    }
    if (extension == "otio") {
        return ColumnSetKind::otio;
    }
    return std::nullopt;
}

} // namespace marrowvale
