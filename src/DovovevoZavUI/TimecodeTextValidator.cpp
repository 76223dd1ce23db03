#include "DovovevoZavUI/TimecodeTextValidator.h"

namespace dovovevozav {

TimecodeTextValidator::TimecodeTextValidator(TimecodeTextFormatter* formatter, QObject* parent)
    : QValidator(parent != nullptr ? parent : formatter), formatter_(formatter) {}

QValidator::State TimecodeTextValidator::validate(QString& input, int& position) const {
    Q_UNUSED(position);
    if (formatter_ == nullptr) {
        return Acceptable;
    }
    const TimecodeTypingCheck check = formatter_->checkPartialString(input);
    switch (check.outcome) {
    case TimecodeTypingCheck::Outcome::refused:
        return Invalid;
    case TimecodeTypingCheck::Outcome::replaced:
        input = QString::fromStdString(check.replacement);
        break;
    case TimecodeTypingCheck::Outcome::accepted:
        break;
    }
    return Acceptable;
}

} // namespace dovovevozav
