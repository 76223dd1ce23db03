#include "desktop/ElidedLabel.h"

namespace marrowvale {

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent) {
    // The width is the layout's to give: the text's own width is not asked for, not even as a
    // minimum.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    // Measured as plain text, so it must be shown as plain text ("<b>" in a name is not markup).
    setTextFormat(Qt::PlainText);
}

void ElidedLabel::setFullText(const QString& text) {
    fullText_ = text;
    setToolTip(text);
    elide();
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    elide();
}

void ElidedLabel::elide() {
    setText(fontMetrics().elidedText(fullText_, Qt::ElideMiddle, contentsRect().width()));
}

} // namespace marrowvale
