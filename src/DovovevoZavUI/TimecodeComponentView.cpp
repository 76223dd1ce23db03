#include "DovovevoZavUI/TimecodeComponentView.h"

#include "DovovevoZavUI/TimecodePaste.h"
#include "DovovevoZavUI/TimecodeText.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>
#include <cmath>

namespace dovovevozav {

namespace {

using Feedback = TimecodeFieldInputRejectionFeedback;

// Room left and right of the digits, so that the highlight shows past them.
constexpr int digitPadding = 1;
constexpr qreal cornerRadius = 2.0;

QSize paddedSize(const StyledText& text, const QFont& font, int padding) {
    const QSizeF size = text.size(font);
    return QSize(static_cast<int>(std::ceil(size.width())) + 2 * padding,
                 static_cast<int>(std::ceil(size.height())));
}

// Draws the text centred in the widget over an optional rounded fill, laid down `layers`
// times (a translucent fill grows stronger with each layer).
void paintStyledText(QWidget& widget, const StyledText& text, const QFont& font,
                     const std::optional<QBrush>& foreground,
                     const std::optional<QBrush>& background, int layers) {
    QPainter painter(&widget);
    painter.setRenderHint(QPainter::Antialiasing);
    if (background) {
        QPainterPath shape;
        shape.addRoundedRect(QRectF(widget.rect()), cornerRadius, cornerRadius);
        for (int layer = 0; layer < layers; ++layer) {
            painter.fillPath(shape, *background);
        }
    }
    painter.setPen(QPen(foreground.value_or(widget.palette().brush(QPalette::WindowText)), 0));
    text.draw(painter, QRectF(widget.rect()), font);
}

} // namespace

std::optional<KeyEquivalent> keyEquivalent(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Up:
        return KeyEquivalent::upArrow;
    case Qt::Key_Down:
        return KeyEquivalent::downArrow;
    case Qt::Key_Left:
        return KeyEquivalent::leftArrow;
    case Qt::Key_Right:
        return KeyEquivalent::rightArrow;
    case Qt::Key_Backspace:
        return KeyEquivalent::deleteKey;
    case Qt::Key_Delete:
        return KeyEquivalent::deleteForward;
    case Qt::Key_Clear:
        return KeyEquivalent::clear;
    case Qt::Key_Escape:
        return KeyEquivalent::escape;
    case Qt::Key_Return:
        return KeyEquivalent::returnKey;
    case Qt::Key_Enter:
        return KeyEquivalent::enterCharacter;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return KeyEquivalent::tab;
    default:
        break;
    }
    if (event.modifiers() & (Qt::ControlModifier | Qt::MetaModifier | Qt::AltModifier)) {
        return std::nullopt;
    }
    const QList<uint> characters = event.text().toUcs4();
    if (characters.isEmpty() || !QChar::isPrint(characters.front())) {
        return std::nullopt;
    }
    return KeyEquivalent{static_cast<char32_t>(characters.front())};
}

TimecodeComponentView::TimecodeComponentView(
    TimecodeComponent component, Binding<TimecodeProperties> timecodeProperties,
    Binding<std::int64_t> value, Binding<std::optional<TimecodeComponent>> focusedComponent,
    QWidget* parent)
    : QWidget(parent), timecodeProperties_(std::move(timecodeProperties)), value_(std::move(value)),
      focusedComponent_(std::move(focusedComponent)),
      stateModel_(component, timecodeProperties_.get(), value_.get()),
      viewModel_(component, timecodeProperties_.get()), beep_(&QApplication::beep),
      animator_(new TimecodeRejectionAnimator(this)) {
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAccessibleName(QString::fromUtf8(component.title()));
    // Edits by the keys reach the field through the value binding; every change redraws.
    stateModel_.setObserver([this](StateModel::ObservedField field) {
        if (field == StateModel::ObservedField::value && value_.get() != stateModel_.value()) {
            value_.set(stateModel_.value());
        }
        updateGeometry();
        update();
    });
}

bool TimecodeComponentView::isFocused() const {
    return focusedComponent_.get() == viewModel_.component();
}

std::optional<QBrush> TimecodeComponentView::backgroundStyle() const {
    if (isFocused()) {
        if (auto highlight = TimecodeEnvironment::timecodeFieldHighlightStyle(this)) {
            return highlight;
        }
    }
    if (isHovering_) {
        QColor secondary = palette().color(QPalette::WindowText);
        secondary.setAlphaF(0.2f);
        return QBrush(secondary);
    }
    return std::nullopt;
}

StyledText TimecodeComponentView::valueText() const {
    StyledTextRun run{QString::fromStdString(stateModel_.displayText()), QTextCharFormat(),
                      viewModel_.component()};
    if (!stateModel_.validRange().contains(stateModel_.value())) {
        applyConditionalForegroundStyle(run.format,
                                        TimecodeEnvironment::timecodeValidationStyle(this));
    }
    return StyledText{{run}, Qt::AlignHCenter};
}

void TimecodeComponentView::setForegroundStyle(const std::optional<QBrush>& style) {
    foregroundStyle_ = style;
    update();
}

void TimecodeComponentView::setTextScale(TimecodeTextScale scale) {
    textScale_ = scale;
    updateGeometry();
    update();
}

void TimecodeComponentView::setBeep(std::function<void()> beep) {
    beep_ = std::move(beep);
}

bool TimecodeComponentView::keyPressed(KeyEquivalent key) {
    const TimecodeFieldKeyResult result =
        stateModel_.handleKey(key, TimecodeEnvironment::timecodeFieldInputStyle(this),
                              TimecodeEnvironment::timecodeFieldValidationPolicy(this));
    bool handled = false;
    switch (result.result) {
    case TimecodeFieldKeyResult::Result::handled:
        handled = true;
        break;
    case TimecodeFieldKeyResult::Result::ignored:
        break;
    case TimecodeFieldKeyResult::Result::performEscapeAction:
        handled = perform(TimecodeEnvironment::timecodeFieldEscapeAction(this));
        break;
    case TimecodeFieldKeyResult::Result::performReturnAction:
        handled = perform(TimecodeEnvironment::timecodeFieldReturnAction(this));
        break;
    }
    applyFocusAndRejection(result.updateFocus, result.rejection, key);
    return handled;
}

bool TimecodeComponentView::perform(const std::optional<TimecodeFieldAction>& action) {
    if (!action) {
        return false;
    }
    // The focus changes answer "not handled", so the key still travels on after the request.
    switch (action->kind()) {
    case TimecodeFieldAction::Kind::resetComponentFocus:
        requestFocus(action->component().value_or(TimecodeComponent::first(
            viewModel_.excludedComponents(TimecodeEnvironment::timecodeFormat(this)))));
        return false;
    case TimecodeFieldAction::Kind::endEditing:
        requestFocus(std::nullopt);
        return false;
    case TimecodeFieldAction::Kind::focusNextComponent:
        break;
    }
    focusAdjacentComponent(TimecodeEnvironment::timecodeFieldInputWrapping(this) ==
                               TimecodeFieldInputWrapping::wrap,
                           true);
    return true;
}

void TimecodeComponentView::focusAdjacentComponent(bool wrapping, bool next) {
    const TimecodeComponentSet excluded =
        viewModel_.excludedComponents(TimecodeEnvironment::timecodeFormat(this));
    const TimecodeComponent component = viewModel_.component();
    requestFocus(next ? TimecodeComponent::next(component, excluded, wrapping)
                      : TimecodeComponent::previous(component, excluded, wrapping));
}

void TimecodeComponentView::applyFocusAndRejection(
    std::optional<TimecodeFieldKeyResult::FocusResult> updateFocus,
    std::optional<Feedback::Reason> rejection, KeyEquivalent key) {
    if (updateFocus) {
        focusAdjacentComponent(TimecodeEnvironment::timecodeFieldInputWrapping(this) ==
                                   TimecodeFieldInputWrapping::wrap,
                               *updateFocus ==
                                   TimecodeFieldKeyResult::FocusResult::focusNextComponent);
    }
    if (!rejection) {
        return;
    }
    giveRejectionFeedback(TimecodeEnvironment::timecodeFieldInputRejectionFeedback(this),
                          Feedback::KeyRejected{viewModel_.component(), key, *rejection}, beep_,
                          *this);
}

void TimecodeComponentView::animateRejection(Feedback::RejectionAnimation animation) {
    animator_->animate(animation);
}

void TimecodeComponentView::paste() {
    auto providers = clipboardItemProviders();
    if (providers.empty()) {
        return;
    }
    performTimecodePaste(
        std::move(providers), [this] { return TimecodeEnvironment::timecodePasted(this); },
        viewModel_.timecodeProperties(), this);
}

void TimecodeComponentView::requestFocus(std::optional<TimecodeComponent> component) {
    QTimer::singleShot(0, this, [this, component] { focusedComponent_.set(component); });
}

void TimecodeComponentView::focusedComponentChanged() {
    stateModel_.setVirgin(true);
    const std::optional<TimecodeComponent> focused = focusedComponent_.get();
    if (focused == viewModel_.component() && !hasFocus() && isVisible()) {
        setFocus(Qt::OtherFocusReason);
    } else if (!focused && hasFocus()) {
        clearFocus();
    }
    update();
}

void TimecodeComponentView::refresh() {
    const TimecodeProperties properties = timecodeProperties_.get();
    stateModel_.setTimecodeProperties(properties);
    viewModel_.setTimecodeProperties(properties);
    const std::int64_t value = value_.get();
    if (stateModel_.value() != value) {
        stateModel_.setValue(value);
    }
}

QFont TimecodeComponentView::valueFont() const {
    return scaledFont(fixedPitchDigitFont(font()), textScale_);
}

QSize TimecodeComponentView::sizeHint() const {
    return paddedSize(valueText(), valueFont(), digitPadding);
}

QSize TimecodeComponentView::minimumSizeHint() const {
    return sizeHint();
}

bool TimecodeComponentView::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
        // The paste keys belong to this editor, not to a menu's paste action.
        event->accept();
        return true;
    }
    if (TimecodeEnvironment::mayChangeValues(*event)) {
        updateGeometry();
        update();
    }
    return QWidget::event(event);
}

void TimecodeComponentView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        paste();
        event->accept();
        return;
    }
    const std::optional<KeyEquivalent> key = keyEquivalent(*event);
    if (!key) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->setAccepted(keyPressed(*key));
}

void TimecodeComponentView::focusInEvent(QFocusEvent* event) {
    if (focusedComponent_.get() != viewModel_.component()) {
        focusedComponent_.set(viewModel_.component());
    }
    update();
    QWidget::focusInEvent(event);
}

void TimecodeComponentView::focusOutEvent(QFocusEvent* event) {
    // A window that loses activation keeps its focused component. Otherwise, once the focus
    // has settled, a component that still holds the binding but not the focus lets it go
    // (focus that moved to another component of the field has rewritten the binding).
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) {
        QTimer::singleShot(0, this, [this] {
            if (!hasFocus() && focusedComponent_.get() == viewModel_.component()) {
                focusedComponent_.set(std::nullopt);
            }
        });
    }
    update();
    QWidget::focusOutEvent(event);
}

void TimecodeComponentView::enterEvent(QEnterEvent* event) {
    isHovering_ = true;
    update();
    QWidget::enterEvent(event);
}

void TimecodeComponentView::leaveEvent(QEvent* event) {
    isHovering_ = false;
    update();
    QWidget::leaveEvent(event);
}

void TimecodeComponentView::hideEvent(QHideEvent* event) {
    if (!event->spontaneous()) {
        requestFocus(std::nullopt);
    }
    QWidget::hideEvent(event);
}

void TimecodeComponentView::paintEvent(QPaintEvent* event) {
    Q_UNUSED(event);
    // The fill is laid down twice: once behind the digits and once behind the whole editor.
    paintStyledText(*this, valueText(), valueFont(), foregroundStyle_, backgroundStyle(), 2);
}

TimecodeSeparatorView::TimecodeSeparatorView(const QString& text, QWidget* parent)
    : QWidget(parent), text_(text) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void TimecodeSeparatorView::setText(const QString& text) {
    if (text != text_) {
        text_ = text;
        updateGeometry();
        update();
    }
}

StyledText TimecodeSeparatorView::styledText() const {
    StyledTextRun run{text_, QTextCharFormat(), std::nullopt};
    applyConditionalForegroundStyle(run.format, TimecodeEnvironment::timecodeSeparatorStyle(this));
    return StyledText{{run}, Qt::AlignHCenter};
}

QSize TimecodeSeparatorView::sizeHint() const {
    return paddedSize(styledText(), fixedPitchDigitFont(font()), 0);
}

QSize TimecodeSeparatorView::minimumSizeHint() const {
    return sizeHint();
}

bool TimecodeSeparatorView::event(QEvent* event) {
    if (TimecodeEnvironment::mayChangeValues(*event)) {
        update();
    }
    return QWidget::event(event);
}

void TimecodeSeparatorView::paintEvent(QPaintEvent* event) {
    Q_UNUSED(event);
    paintStyledText(*this, styledText(), fixedPitchDigitFont(font()), std::nullopt, std::nullopt,
                    0);
}

} // namespace dovovevozav
