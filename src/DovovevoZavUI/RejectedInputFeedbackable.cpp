#include "DovovevoZavUI/RejectedInputFeedbackable.h"

namespace dovovevozav {

void giveRejectionFeedback(const std::optional<TimecodeFieldInputRejectionFeedback>& feedback,
                           const TimecodeFieldInputRejectionFeedback::UserAction& action,
                           const std::function<void()>& beep, RejectedInputFeedbackable& view) {
    if (!feedback) {
        return;
    }
    switch (feedback->kind()) {
    case TimecodeFieldInputRejectionFeedback::Kind::validationBased:
    case TimecodeFieldInputRejectionFeedback::Kind::validationBasedAndUndefinedKeys:
        if (beep) {
            beep();
        }
        if (const auto animation = feedback->animation()) {
            view.animateRejection(*animation);
        }
        break;
    case TimecodeFieldInputRejectionFeedback::Kind::custom:
        if (feedback->handler()) {
            feedback->handler()(action);
        }
        break;
    }
}

} // namespace dovovevozav
