#include "DovovevoZavUI/Binding.h"

#include <algorithm>

namespace dovovevozav {

ChangeNotice combinedChangeNotice(std::vector<ChangeNotice> notices) {
    std::erase_if(notices, [](const ChangeNotice& notice) { return !notice; });
    if (notices.empty()) {
        return {};
    }
    if (notices.size() == 1) {
        return notices.front();
    }
    return [notices = std::move(notices)](const QObject& context,
                                          const std::function<void()>& callback) {
        for (const ChangeNotice& notice : notices) {
            notice(context, callback);
        }
    };
}

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
                         },
                         format.changeNotice());
}

} // namespace dovovevozav
