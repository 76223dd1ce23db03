#pragma once

#include "DovovevoZavCore/Timecode.h"
#include "DovovevoZavUI/Binding.h"
#include "DovovevoZavUI/RejectedInputFeedbackable.h"
#include "DovovevoZavUI/TimecodeComponentView.h"
#include "DovovevoZavUI/TimecodeFieldAction.h"
#include "DovovevoZavUI/TimecodeFieldInputRejectionFeedback.h"
#include "DovovevoZavUI/TimecodeFieldKeyResult.h"
#include "DovovevoZavUI/TimecodeFieldPasteRule.h"
#include "DovovevoZavUI/TimecodeFieldPolicies.h"
#include "DovovevoZavUI/TimecodePaste.h"

#include <QWidget>
#include <array>
#include <functional>
#include <optional>

namespace dovovevozav {

/// A timecode entered component by component: one row of editors (TimecodeComponentView) for
/// [days " "] hours ":" minutes ":" seconds ":"|";" frames ["." subframes], the separator
/// before the frames ";" at drop-frame rates. Days are shown under the 100-day limit or when
/// the format always shows them, subframes when the format shows them; the subframes take the
/// subframes style and scale. The field is configured through the TimecodeEnvironment around
/// it (format, styles, policies, actions, rejection feedback).
///
/// The value belongs to the caller, reached through bindings: a whole timecode, or its
/// components with the frame rate, subframes base and upper limit (bound, or fixed: writes to
/// fixed properties are dropped). The other form is derived from the one given, so the two
/// stay in step; values written through the bindings are never refused (out-of-range values
/// stand). Edits are written through the bindings as they happen. A value written to the
/// storage by others reaches the field through the bindings' change notice (a TimecodeState's
/// binding has one; plain storage can be given a BindingNotifier); for storage whose binding
/// announces nothing, call refresh() after changing it.
///
/// Tab, Backtab, the arrow keys and the separator characters move between the editors. A
/// paste into an editor is decided by the paste, validation and input policies
/// (validatePastedTimecode()): taken into the bindings, or refused with the rejection feedback
/// (a beep and a pulse unless the environment says otherwise). A clipboard holding neither a
/// timecode nor text is no paste at all: nothing happens. The field's own paste() hands the
/// clipboard to the timecodePasted action of the field's container instead.
class TimecodeField : public QWidget, public RejectedInputFeedbackable {
    Q_OBJECT

public:
    using Components = Timecode::Components;
    using KeyResult = TimecodeFieldKeyResult;
    using FieldAction = TimecodeFieldAction;
    using InputStyle = TimecodeFieldInputStyle;
    using InputWrapping = TimecodeFieldInputWrapping;
    using PastePolicy = TimecodeFieldPastePolicy;
    using ValidationPolicy = TimecodeFieldValidationPolicy;
    using InputRejectionFeedback = TimecodeFieldInputRejectionFeedback;
    using PasteValidationResult = TimecodeFieldPasteValidationResult;
    using ComponentView = TimecodeComponentView;
    using SeparatorView = TimecodeSeparatorView;

    /// A field editing a whole timecode. A new frame rate written by the field keeps the
    /// component values as they are.
    explicit TimecodeField(Binding<Timecode> timecode, QWidget* parent = nullptr);
    /// A field editing components at bound properties.
    TimecodeField(Binding<Components> components, Binding<TimecodeFrameRate> frameRate,
                  Binding<TimecodeSubFramesBase> subFramesBase,
                  Binding<TimecodeUpperLimit> upperLimit, QWidget* parent = nullptr);
    /// A field editing components at fixed properties.
    TimecodeField(Binding<Components> components, const TimecodeProperties& properties,
                  QWidget* parent = nullptr);
    /// The same with the three properties given one by one.
    TimecodeField(Binding<Components> components, TimecodeFrameRate frameRate,
                  TimecodeSubFramesBase subFramesBase, TimecodeUpperLimit upperLimit,
                  QWidget* parent = nullptr);
    /// A field editing components at 24 fps, 100 subframes a frame, on the 24-hour clock.
    explicit TimecodeField(Binding<Components> components, QWidget* parent = nullptr);

    /// The value in its two forms.
    const Binding<Timecode>& timecode() const { return timecode_; }
    const Binding<Components>& components() const { return components_; }
    const Binding<TimecodeFrameRate>& frameRate() const { return frameRate_; }
    const Binding<TimecodeSubFramesBase>& subFramesBase() const { return subFramesBase_; }
    const Binding<TimecodeUpperLimit>& upperLimit() const { return upperLimit_; }
    /// The bound frame rate, subframes base and upper limit.
    TimecodeProperties timecodeProperties() const;

    /// The editor that has (or is about to get) keyboard focus; none when no editor has it.
    std::optional<TimecodeComponent> focusedComponent() const { return focusedComponent_; }
    /// Moves keyboard focus to the component's editor, or out of the field for none (or for a
    /// component the row does not show). Every editor becomes virgin when the focus changes.
    void setFocusedComponent(std::optional<TimecodeComponent> component);
    /// The editor of a component the row shows; null for one it does not show.
    ComponentView* componentView(TimecodeComponent component) const;
    /// The row as it reads: the shown editors' digits and the separators between them.
    QString text() const;

    /// The sound of a refused key or paste, for the field and its editors; QApplication::beep
    /// at first.
    void setBeep(std::function<void()> beep);

    /// What a paste of this result would do: the timecode to store, or pasteRejected for a
    /// failed load or a paste the policies refuse.
    PasteValidationResult pasteValidationResult(const TimecodePasteResult& result) const;
    /// Stores a pasted timecode as the policies allow, or gives the rejection feedback.
    void acceptPastedTimecode(const TimecodePasteResult& result);

    const TimecodeRejectionAnimator& rejectionAnimator() const override { return *animator_; }
    void
    animateRejection(TimecodeFieldInputRejectionFeedback::RejectionAnimation animation) override;

public slots:
    /// Carries the bound values into the field: keeps the two binding forms in step (writing
    /// only parts that differ, so nothing echoes back), then re-reads the row and the editors'
    /// values and properties. Runs by itself on the bindings' change notices.
    void refresh();
    /// Loads the clipboard for the timecodePasted action of the field's container (nothing
    /// happens when it sets none, or when the clipboard holds neither a timecode nor text).
    void paste();

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The bound values as the change handlers last saw them.
    struct SeenValues {
        Components components;
        Components timecodeComponents;
        TimecodeProperties timecodeProperties;
        TimecodeFrameRate frameRate;
        TimecodeSubFramesBase subFramesBase;
        TimecodeUpperLimit upperLimit;
    };

    TimecodeField(Binding<Components> components, Binding<TimecodeFrameRate> frameRate,
                  Binding<TimecodeSubFramesBase> subFramesBase,
                  Binding<TimecodeUpperLimit> upperLimit, Binding<Timecode> timecode,
                  QWidget* parent);
    void buildRow();
    SeenValues readValues() const;
    // Runs the change handlers for the bound values that changed since they were last seen:
    // each handler writes the other form only where it differs from the changed one.
    void runChangeHandlers();
    // Shows the components and separators the format, limit and rate ask for.
    void updateRow();

    Binding<Components> components_;
    Binding<TimecodeFrameRate> frameRate_;
    Binding<TimecodeSubFramesBase> subFramesBase_;
    Binding<TimecodeUpperLimit> upperLimit_;
    Binding<Timecode> timecode_;
    SeenValues seen_;
    std::optional<TimecodeComponent> focusedComponent_;
    // Holds the row; its environment hands the editors' pastes to acceptPastedTimecode().
    QWidget* content_;
    std::array<ComponentView*, 6> views_{};
    SeparatorView* daysSeparator_ = nullptr;
    SeparatorView* framesSeparator_ = nullptr;
    SeparatorView* subFramesSeparator_ = nullptr;
    TimecodeRejectionAnimator* animator_;
    std::function<void()> beep_;
};

} // namespace dovovevozav
