#pragma once

// Timecode entry controls for Qt Widgets, on top of the timecode core (DovovevoZavCore) and
// nothing else. No part of Marrowvale calls them; they are reusable on their own.
//
// The controls were first designed for a platform with an attributed-string text system and a
// declarative view toolkit. Here each idea takes the smallest Qt form that keeps its meaning:
//
// Styled text (StyledText.h, TimecodeStyledText.h)
//   An attributed string is a StyledText: runs of text, each with a QTextCharFormat, drawn in
//   one line through a QTextLayout. An attribute dictionary is a QTextCharFormat; adding
//   attributes over a piece is QTextCharFormat::merge (the added value wins). A shape style is
//   a QBrush (a colour, a gradient, a texture). A paragraph alignment is StyledText::alignment,
//   Qt::AlignLeading standing for the natural one. timecodeAttributedText() is the attribute
//   form of a timecode's text, timecodeStyledText() the brush form;
//   applyConditionalForegroundStyle() applies a foreground only when one is given.
//
// Formatter (TimecodeTextFormatting.h, TimecodeTextFormatter.h, TimecodeTextValidator.h)
//   The rules live in toolkit-free functions over UTF-8 text: checkTimecodeTyping() for the
//   typing rules, displayTimecodeText() for the canonical text. TimecodeTextFormatter is a
//   QObject holding the seven settings; its value is the text itself (objectValue()), string()
//   gives the shown text and attributedString() the validation display. A text control's
//   "partial string" check is a QValidator, TimecodeTextValidator: Acceptable for accepted
//   text, Acceptable with the text replaced for normalised text, Invalid for refused text, so
//   the line edit keeps its previous text and emits inputRejected(). A QValidator has no slot
//   for an error description; checkPartialString() still reports "Invalid characters.".
//
// Text field and cell (TimecodeTextField.h, TimecodeTextFieldCell.h)
//   The field is a QLineEdit that installs its own formatter and validator. The cell is a
//   QStyledItemDelegate with its own formatter whose editor is a TimecodeTextField. Loading
//   from an interface file is constructing with a parent (as Designer's generated code does);
//   line edits are plain text, so there is no rich-text editing to turn off. The cancel
//   command is the Escape key; in a cell, the item view's own Escape handling closes the
//   editor without committing.
//
// Environment (TimecodeEnvironment.h, TimecodePaste.h, Binding.h, BindingNotifier.h)
//   A view environment is a TimecodeEnvironment object carried by a container widget;
//   controls read each value by walking up the parent chain to the nearest container that
//   sets it, or take the value's default. View modifiers and view operations are its setters;
//   "no style" is std::nullopt. A change is announced to every widget below the container
//   with an event of TimecodeEnvironment::changeEventType(). A text scale is
//   TimecodeTextScale, drawn as a relative font size. A two-way binding is Binding<T>: a
//   getter, a setter and an optional change notice (ChangeNotice), which connects a callback
//   to Qt signals telling that the stored value changed; notifiedBy() gives a binding one, and
//   BindingNotifier is the signal for plain storage. Bindings derived from others carry their
//   notices. formatOption() is the Boolean binding of one format option. Item
//   providers come from QMimeData through itemProviders(); an asynchronous paste task is a
//   zero-time single-shot timer on the event loop (performTimecodePaste()).
//
// State and text (TimecodeState.h, TimecodeText.h)
//   A property wrapper owning a timecode is TimecodeState, a QObject whose binding() hands the
//   value to controls. Its change notice is the timecodeChanged() signal, sent only when
//   components or properties really changed, and queued on the event loop: watchers hear of it
//   after the setter has returned and read the stored value, never inside the write. Its
//   binding carries that signal as its change notice. The read-only text view is TimecodeText,
//   a widget painting the brush form with its environment's styles; timecodeText() makes one
//   with a fixed format. Qt 6.4 has no font feature for monospaced digits, so the digits are
//   drawn in the system's fixed-pitch font at the widget's size.
//
// Field vocabulary (TimecodeFieldPolicies.h, TimecodeFieldAction.h, TimecodeFieldKeyResult.h,
// TimecodeFieldInputRejectionFeedback.h, TimecodeFieldPasteRule.h, KeyEquivalent.h)
//   The types nested in the field are flat types named TimecodeField...; TimecodeField
//   re-exports them under their short names (TimecodeField::InputStyle and so on), as Timecode
//   does for the core's types. Payload-free enumerations are plain enum classes with raw texts
//   through RawTexts<> (rawValue(), fromRawValue<>(), allCases<>()). Enumerations with payloads
//   are small classes (TimecodeFieldAction, TimecodeFieldInputRejectionFeedback) or variants
//   (the user action, the paste decision). A key equivalent is a char32_t: the typed character,
//   or for a key that types nothing a control character or private-use code point of our own.
//
// Editing state (TimecodeComponentStateModel.h, TimecodeComponentViewModel.h)
//   Plain C++ with no Qt, so every key rule is tested without a widget. Observation is a
//   callback called after an observed field really changed.
//
// Field (TimecodeComponentView.h, TimecodeField.h, TimecodeRejectionAnimator.h)
//   Every component editor is a focusable widget; the field lays out all six with their
//   separators once and hides the ones the format and upper limit leave out. The focus state
//   is the field's focusedComponent(), kept equal to the editor holding Qt's keyboard focus:
//   an editor taking focus writes it, focus leaving the field clears it, and writing it moves
//   Qt's focus. Focus requests from keys are written on the next turn of the event loop. Qt's
//   own Tab and Backtab handling moves between editors, so those keys never reach the key
//   rules. A key the rules leave unhandled is ignored, so Qt passes it to the parent. A view
//   rebuilt because its data changed is the field's refresh(), run on the change notice of
//   its timecode binding (given, or derived from the given bindings with all their notices)
//   and after the field's own writes: it runs the change handlers in their order (components,
//   the timecode's components, the timecode's properties, frame rate, subframes base, upper
//   limit; each writes the other form only where it differs, so nothing echoes or loops), then
//   re-reads the row and the editors, whose own change handlers are their refresh(). With the
//   other form derived from the given one the handlers find the two in step and write nothing;
//   they keep the two in step should a binding not. For storage whose binding announces
//   nothing, call refresh().
//   View state (hover, triggers) lives in the widgets. The shake and pulse are
//   QVariantAnimations drawn through a graphics effect installed while they run. The system
//   beep is a function set with setBeep() (QApplication::beep unless replaced). The paste
//   command is the platform's paste key sequence on an editor, and paste() on the field; it
//   accepts only a timecode or text, so with neither on the clipboard it does nothing at all.

#include "DovovevoZavUI/Binding.h"
#include "DovovevoZavUI/BindingNotifier.h"
#include "DovovevoZavUI/KeyEquivalent.h"
#include "DovovevoZavUI/RawTextEnumeration.h"
#include "DovovevoZavUI/RejectedInputFeedbackable.h"
#include "DovovevoZavUI/StyledText.h"
#include "DovovevoZavUI/TimecodeComponentStateModel.h"
#include "DovovevoZavUI/TimecodeComponentView.h"
#include "DovovevoZavUI/TimecodeComponentViewModel.h"
#include "DovovevoZavUI/TimecodeEnvironment.h"
#include "DovovevoZavUI/TimecodeField.h"
#include "DovovevoZavUI/TimecodeFieldAction.h"
#include "DovovevoZavUI/TimecodeFieldInputRejectionFeedback.h"
#include "DovovevoZavUI/TimecodeFieldKeyResult.h"
#include "DovovevoZavUI/TimecodeFieldPasteRule.h"
#include "DovovevoZavUI/TimecodeFieldPolicies.h"
#include "DovovevoZavUI/TimecodePaste.h"
#include "DovovevoZavUI/TimecodeRejectionAnimator.h"
#include "DovovevoZavUI/TimecodeState.h"
#include "DovovevoZavUI/TimecodeStyledText.h"
#include "DovovevoZavUI/TimecodeText.h"
#include "DovovevoZavUI/TimecodeTextField.h"
#include "DovovevoZavUI/TimecodeTextFieldCell.h"
#include "DovovevoZavUI/TimecodeTextFormatter.h"
#include "DovovevoZavUI/TimecodeTextFormatting.h"
#include "DovovevoZavUI/TimecodeTextValidator.h"
