#pragma once

#include "DovovevoZavUI/TimecodeFieldInputRejectionFeedback.h"
#include "DovovevoZavUI/TimecodeRejectionAnimator.h"

#include <functional>
#include <optional>

namespace dovovevozav {

/// A view that signals refused input: the timecode field and its component views.
class RejectedInputFeedbackable {
public:
    virtual ~RejectedInputFeedbackable() = default;

    /// The view's rejection animations, as they run now.
    virtual const TimecodeRejectionAnimator& rejectionAnimator() const = 0;
    /// One shake or one pulse of the view.
    virtual void
    animateRejection(TimecodeFieldInputRejectionFeedback::RejectionAnimation animation) = 0;
};

/// Signals a refused input on the view as the feedback says: both validation-based cases sound
/// the beep and then play their animation, if any; custom calls its handler with the action
/// instead; none does nothing.
void giveRejectionFeedback(const std::optional<TimecodeFieldInputRejectionFeedback>& feedback,
                           const TimecodeFieldInputRejectionFeedback::UserAction& action,
                           const std::function<void()>& beep, RejectedInputFeedbackable& view);

} // namespace dovovevozav
