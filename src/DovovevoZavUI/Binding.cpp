#include "DovovevoZavUI/Binding.h"

namespace dovovevozav {

Binding<bool> formatOption(const Binding<TimecodeStringFormat>& format,
                           TimecodeStringFormatOption option) {
    return Binding<bool>([format, option] { return format.get().contains(option); },
                         [format, option](const bool& on) {
                             TimecodeStringFormat changed = format.get();
                             if (on) {
                                 changed.insert(option);
                             } else {
                                 changed.erase(option);
                             }
                             format.set(changed);
                         });
}

} // namespace dovovevozav
