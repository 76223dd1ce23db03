#include "xlsxwriter/SheetNames.h"

#include <unicode/stringpiece.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

namespace marrowvale {

std::u16string SheetNames::folded(std::string_view name) {
    icu::UnicodeString text = icu::UnicodeString::fromUTF8(
        icu::StringPiece(name.data(), static_cast<int32_t>(name.size())));
    text.foldCase(U_FOLD_CASE_DEFAULT);
    return std::u16string(text.getBuffer(), text.getBuffer() + text.length());
}

bool SheetNames::contains(std::string_view name) const {
    return find(name) != nullptr;
}

const SheetNames::Entry* SheetNames::find(std::string_view name) const {
    const std::u16string key = folded(name);
    for (const Entry& entry : entries_) {
        if (entry.folded == key) {
            return &entry;
        }
    }
    return nullptr;
}

void SheetNames::add(std::string_view name, lxw_worksheet* sheet) {
    entries_.push_back(Entry{folded(name), sheet, nullptr});
}

void SheetNames::add(std::string_view name, lxw_chartsheet* sheet) {
    entries_.push_back(Entry{folded(name), nullptr, sheet});
}

} // namespace marrowvale
