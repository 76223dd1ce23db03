#include "report/ColumnWidths.h"

namespace marrowvale {

std::size_t characterCount(std::string_view utf8) {
    std::size_t count = 0;
    for (char c : utf8) {
        // Continuation bytes (10xxxxxx) belong to the character before them.
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++count;
        }
    }
    return count;
}

void ColumnWidths::update(std::size_t column, std::string_view text) {
    double& width = widths_.at(column);
    // Texts no longer than the stored width cannot raise it, so skip counting them.
    if (static_cast<double>(text.size()) <= width) {
        return;
    }
    double count = static_cast<double>(characterCount(text));
    if (count > width) {
        width = count;
    }
}

} // namespace marrowvale
