#pragma once

#include "DovovevoZavUI/TimecodeTextFormatter.h"

#include <QLineEdit>
#include <QString>

namespace dovovevozav {

/// A line edit for typing a timecode as text. It installs its own TimecodeTextFormatter (with
/// nothing set: any typing goes and texts show unchanged until the frame rate, upper limit and
/// subframes base are set through formatter()) and guards typing with it. When an edit ends
/// (Return or focus lost), and when text is set while no edit is in progress, the text turns
/// into the formatter's canonical text; while the field
/// is not being edited and the formatter shows validation, the text is drawn styled.
/// Escape discards the edit in progress: the text returns to what it was when the edit began,
/// the field keeps the focus, and Escape goes no further (a dialog around it stays open).
/// A line edit holds plain text only, so there is no rich-text editing to turn off.
class TimecodeTextField : public QLineEdit {
    Q_OBJECT

public:
    explicit TimecodeTextField(QWidget* parent = nullptr);

    /// The installed formatter; set its frame rate, limit, base, format and styles here.
    TimecodeTextFormatter* formatter() const { return formatter_; }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // Ends an edit: the canonical text is shown and becomes the text an Escape returns to.
    void commitEdit();
    // Follows a change of the formatter's settings.
    void applyFormatterSettings();

    TimecodeTextFormatter* formatter_;
    QString textBeforeEdit_;
};

} // namespace dovovevozav
