#include "DovovevoZavUI/TimecodeTextField.h"

#include "DovovevoZavUI/TimecodeTextValidator.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace dovovevozav {

namespace {

// The text margins QLineEdit keeps inside its contents rectangle.
constexpr int horizontalTextMargin = 2;
constexpr int verticalTextMargin = 1;

} // namespace

TimecodeTextField::TimecodeTextField(QWidget* parent)
    : QLineEdit(parent),
      formatter_(new TimecodeTextFormatter(std::nullopt, std::nullopt, false, std::nullopt, this)) {
    setValidator(new TimecodeTextValidator(formatter_));
    connect(this, &QLineEdit::editingFinished, this, &TimecodeTextField::commitEdit);
    // Text set from code while no edit is in progress shows in canonical form at once.
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (!hasFocus()) {
            commitEdit();
        }
    });
    connect(formatter_, &TimecodeTextFormatter::settingsChanged, this,
            &TimecodeTextField::applyFormatterSettings);
    setAlignment(formatter_->alignment());
}

void TimecodeTextField::commitEdit() {
    if (const auto shown = formatter_->string(text()); shown && *shown != text()) {
        setText(*shown);
    }
    textBeforeEdit_ = text();
}

void TimecodeTextField::applyFormatterSettings() {
    setAlignment(formatter_->alignment());
    if (!hasFocus()) {
        commitEdit();
    }
    update();
}

bool TimecodeTextField::event(QEvent* event) {
    // Claim Escape before any shortcut of the window sees it.
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        event->accept();
        return true;
    }
    return QLineEdit::event(event);
}

void TimecodeTextField::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    setText(textBeforeEdit_);
    if (window()->isVisible()) {
        setFocus(Qt::OtherFocusReason);
    }
    event->accept();
}

void TimecodeTextField::focusInEvent(QFocusEvent* event) {
    textBeforeEdit_ = text();
    QLineEdit::focusInEvent(event);
}

void TimecodeTextField::paintEvent(QPaintEvent* event) {
    if (hasFocus() || !formatter_->showsValidation() || text().isEmpty()) {
        QLineEdit::paintEvent(event);
        return;
    }
    const auto styled = formatter_->attributedString(text(), std::nullopt);
    if (!styled) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
    const QRect contents = style()
                               ->subElementRect(QStyle::SE_LineEditContents, &panel, this)
                               .marginsRemoved(textMargins())
                               .adjusted(horizontalTextMargin, verticalTextMargin,
                                         -horizontalTextMargin, -verticalTextMargin);
    painter.setPen(palette().color(QPalette::Text));
    styled->draw(painter, contents, font());
}

} // namespace dovovevozav
