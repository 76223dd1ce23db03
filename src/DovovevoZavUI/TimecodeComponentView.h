#pragma once

#include "DovovevoZavUI/Binding.h"
#include "DovovevoZavUI/KeyEquivalent.h"
#include "DovovevoZavUI/RejectedInputFeedbackable.h"
#include "DovovevoZavUI/StyledText.h"
#include "DovovevoZavUI/TimecodeComponentStateModel.h"
#include "DovovevoZavUI/TimecodeComponentViewModel.h"
#include "DovovevoZavUI/TimecodeEnvironment.h"
#include "DovovevoZavUI/TimecodeFieldAction.h"

#include <QBrush>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>

class QKeyEvent;

namespace dovovevozav {

/// The editor of one timecode component in a TimecodeField: the value as zero-padded digits
/// (in the validation style when out of range), edited from the keyboard by the rules of
/// TimecodeComponentStateModel, with the fill of the highlight style while it has focus and a
/// faint fill while the pointer is over it. Its policies and actions come from the
/// TimecodeEnvironment around it.
///
/// The view reads and writes its value, the field's properties and the field's focused
/// component through bindings. Keyboard focus and the focus binding agree: taking focus
/// writes the component into the binding, losing it to a widget that is no component of the
/// same binding writes none, and focusedComponentChanged() makes the view take or give up
/// focus as the binding says. Focus requests from the keys are written on the next turn of the
/// event loop. A paste (the platform's paste keys) loads the clipboard and hands the result to
/// the timecodePasted action around the view.
class TimecodeComponentView : public QWidget, public RejectedInputFeedbackable {
    Q_OBJECT

public:
    using StateModel = TimecodeComponentStateModel;
    using ViewModel = TimecodeComponentViewModel;

    /// An editor of the component; its models start from the bindings' current values.
    TimecodeComponentView(TimecodeComponent component,
                          Binding<TimecodeProperties> timecodeProperties,
                          Binding<std::int64_t> value,
                          Binding<std::optional<TimecodeComponent>> focusedComponent,
                          QWidget* parent = nullptr);

    const StateModel& stateModel() const { return stateModel_; }
    const ViewModel& viewModel() const { return viewModel_; }

    /// True while the focus binding names this component.
    bool isFocused() const;
    bool isHovering() const { return isHovering_; }
    /// The fill behind the digits: the highlight style while focused (when one is set), else
    /// the faint secondary colour while hovered; none (clear) otherwise.
    std::optional<QBrush> backgroundStyle() const;
    /// The digits with their style: the validation style when the value is out of range.
    StyledText valueText() const;

    /// The foreground of valid digits; none: the palette's text colour.
    void setForegroundStyle(const std::optional<QBrush>& style);
    /// The size of the digits relative to the widget's font.
    void setTextScale(TimecodeTextScale scale);
    /// The sound of a refused key; QApplication::beep at first.
    void setBeep(std::function<void()> beep);

    /// Handles one key as a key press does; true when the key was consumed (false passes it
    /// on to the parent).
    bool keyPressed(KeyEquivalent key);
    /// Loads the clipboard as a paste into this component; does nothing when the clipboard
    /// holds neither a timecode nor text.
    void paste();
    /// Writes the component (none: no component) into the focus binding on the next turn of
    /// the event loop.
    void requestFocus(std::optional<TimecodeComponent> component);
    /// To be called whenever the focus binding changed: the view becomes virgin again, and
    /// takes focus when the binding names it or gives it up when the binding names none.
    void focusedComponentChanged();
    /// Re-reads the value and properties bindings into the models.
    void refresh();

    const TimecodeRejectionAnimator& rejectionAnimator() const override { return *animator_; }
    void
    animateRejection(TimecodeFieldInputRejectionFeedback::RejectionAnimation animation) override;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool perform(const std::optional<TimecodeFieldAction>& action);
    void focusAdjacentComponent(bool wrapping, bool next);
    void
    applyFocusAndRejection(std::optional<TimecodeFieldKeyResult::FocusResult> updateFocus,
                           std::optional<TimecodeFieldInputRejectionFeedback::Reason> rejection,
                           KeyEquivalent key);
    QFont valueFont() const;

    Binding<TimecodeProperties> timecodeProperties_;
    Binding<std::int64_t> value_;
    Binding<std::optional<TimecodeComponent>> focusedComponent_;
    StateModel stateModel_;
    ViewModel viewModel_;
    bool isHovering_ = false;
    std::optional<QBrush> foregroundStyle_;
    TimecodeTextScale textScale_ = TimecodeTextScale::standard;
    std::function<void()> beep_;
    TimecodeRejectionAnimator* animator_;
};

/// A fixed separator between component views, in the separator style around it.
class TimecodeSeparatorView : public QWidget {
    Q_OBJECT

public:
    explicit TimecodeSeparatorView(const QString& text, QWidget* parent = nullptr);

    QString text() const { return text_; }
    void setText(const QString& text);
    /// The text with its style.
    StyledText styledText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
};

/// The key of a key press as the component rules see it: the named keys by their key codes,
/// other keys by the printable character they type; none for keys that type nothing (Shift
/// alone, function keys, shortcuts with Control), which are passed on untouched.
std::optional<KeyEquivalent> keyEquivalent(const QKeyEvent& event);

} // namespace dovovevozav
