#pragma once

#include "DovovevoZavUI/TimecodeTextFormatter.h"

#include <QPointer>
#include <QValidator>

namespace dovovevozav {

/// Puts a formatter's typing rules on any QLineEdit: a text the rules accept is Acceptable, a
/// text they normalise is replaced (the cursor stays) and Acceptable, a refused text is
/// Invalid, so the line edit keeps the text from before the keystroke and emits
/// inputRejected(). Text that does not parse is never Intermediate: the formatter shows it as
/// it is. The validator reads the formatter's settings at each keystroke.
class TimecodeTextValidator : public QValidator {
    Q_OBJECT

public:
    /// A validator for the formatter; it becomes the formatter's child unless given a parent.
    explicit TimecodeTextValidator(TimecodeTextFormatter* formatter, QObject* parent = nullptr);

    State validate(QString& input, int& position) const override;

private:
    QPointer<TimecodeTextFormatter> formatter_;
};

} // namespace dovovevozav
