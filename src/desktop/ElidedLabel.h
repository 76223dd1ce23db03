#pragma once

#include <QLabel>

namespace marrowvale {

/// A one-line label for a text that may be longer than the window is wide, such as a file
/// name: the text is elided in the middle to the width the layout gives the label, so that it
/// never widens the window, and the whole text is the label's tooltip.
class ElidedLabel : public QLabel {
public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    /// Shows `text` as plain text, elided to the label's width; the tooltip holds it whole.
    void setFullText(const QString& text);

protected:
    /// Elides the text again to the new width.
    void resizeEvent(QResizeEvent* event) override;

private:
    void elide();

    QString fullText_;
};

} // namespace marrowvale
