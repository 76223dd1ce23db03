#include "DovovevoZavUI/TimecodeField.h"

#include "DovovevoZavCore/TimecodeTransfer.h"
#include "DovovevoZavUI/BindingNotifier.h"
#include "DovovevoZavUI/TimecodeEnvironment.h"
#include "DovovevoZavUI/TimecodeState.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

using namespace dovovevozav;

namespace {

using Component = TimecodeComponent;
using Option = TimecodeStringFormatOption;
using Feedback = TimecodeFieldInputRejectionFeedback;

const TimecodeProperties at24(TimecodeFrameRate::fps24);

Timecode makeTimecode(Timecode::Components components, TimecodeProperties properties) {
    Timecode timecode(properties);
    timecode.setComponents(components);
    return timecode;
}

// A shown, active window holding a field and a line edit to take the focus elsewhere; the
// window's environment configures the field, whose beeps are counted.
struct FieldWindow {
    QWidget window;
    TimecodeEnvironment* environment = TimecodeEnvironment::of(&window);
    TimecodeField* field = nullptr;
    QLineEdit* other = new QLineEdit(&window);
    int beeps = 0;

    explicit FieldWindow(const std::function<TimecodeField*(QWidget*)>& make)
        : field(make(&window)) {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(field);
        layout->addWidget(other);
        field->setBeep([this] { ++beeps; });
        window.show();
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        // Start with no component focused (showing the window focuses the first one).
        other->setFocus();
        QApplication::processEvents();
    }

    TimecodeComponentView* view(Component component) const {
        return field->componentView(component);
    }

    // Focuses a component the way a click does.
    void focus(Component component) {
        view(component)->setFocus(Qt::MouseFocusReason);
        QApplication::processEvents();
    }

    // Types into whatever has focus, letting each deferred focus request settle.
    void type(const char* text) {
        for (const char* key = text; *key != '\0'; ++key) {
            QTest::keyClick(QApplication::focusWidget(), *key);
            QApplication::processEvents();
        }
    }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        QApplication::processEvents();
    }
};

// The whole-timecode form over a state owned by the test.
std::function<TimecodeField*(QWidget*)> fieldOf(TimecodeState& state) {
    return [&state](QWidget* parent) { return new TimecodeField(state.binding(), parent); };
}

// Puts a timecode on the clipboard in the typed form, or text.
void copyTimecode(const Timecode& timecode) {
    auto* data = new QMimeData;
    const std::vector<std::uint8_t> record = TimecodeTransfer::exportTimecodeData(timecode);
    data->setData(timecodeMimeType(), QByteArray(reinterpret_cast<const char*>(record.data()),
                                                 static_cast<qsizetype>(record.size())));
    QApplication::clipboard()->setMimeData(data);
}
void copyText(const char* text) {
    QApplication::clipboard()->setText(QString::fromUtf8(text));
}

// A timecode in plain storage whose writer announces its changes; the writes through its
// bindings are counted.
struct Storage {
    Timecode::Components components{0, 1, 0, 0, 12, 0};
    TimecodeFrameRate frameRate = TimecodeFrameRate::fps24;
    TimecodeSubFramesBase base = TimecodeSubFramesBase::max80SubFrames;
    TimecodeUpperLimit limit = TimecodeUpperLimit::max24Hours;
    int writes = 0;
    BindingNotifier notifier;

    template <class Value>
    Binding<Value> bind(Value Storage::*member) {
        return Binding<Value>([this, member] { return this->*member; },
                              [this, member](const Value& value) {
                                  this->*member = value;
                                  ++writes;
                              })
            .notifiedBy(&notifier, &BindingNotifier::changed);
    }
    Binding<Timecode> bindWhole() {
        return Binding<Timecode>(
                   [this] {
                       return makeTimecode(components, TimecodeProperties(frameRate, base, limit));
                   },
                   [this](const Timecode& value) {
                       components = value.components();
                       frameRate = value.frameRate();
                       base = value.subFramesBase();
                       limit = value.upperLimit();
                       ++writes;
                   })
            .notifiedBy(&notifier, &BindingNotifier::changed);
    }
};

} // namespace

TEST(TimecodeFieldTest, RowShowsTheComponentsTheFormatLimitAndRateAsk) {
    const TimecodeProperties days(TimecodeFrameRate::fps24, TimecodeSubFramesBase::max80SubFrames,
                                  TimecodeUpperLimit::max100Days);
    struct Row {
        TimecodeProperties properties;
        TimecodeStringFormat format;
        const char* text;
    };
    const std::vector<Row> rows = {
        {at24, {}, "01:02:03:04"},
        {at24, {Option::alwaysShowDays}, "00 01:02:03:04"},
        {days, {}, "00 01:02:03:04"},
        {TimecodeFrameRate::fps29_97d, {}, "01:02:03;04"},
        {TimecodeFrameRate::fps119_88, {}, "01:02:03:004"},
        {TimecodeFrameRate::fps120d, {Option::showSubFrames}, "01:02:03;004.05"},
        {at24, {Option::showSubFrames, Option::filenameCompatible}, "01:02:03:04.05"},
    };
    for (const Row& row : rows) {
        TimecodeState state(makeTimecode({0, 1, 2, 3, 4, 5}, row.properties));
        FieldWindow window(fieldOf(state));
        window.environment->setTimecodeFormat(row.format);
        EXPECT_EQ(window.field->text(), QString::fromUtf8(row.text));
        EXPECT_EQ(window.view(Component::days) != nullptr,
                  row.properties.upperLimit == TimecodeUpperLimit::max100Days ||
                      row.format.alwaysShowDays());
    }

    // The subframes take their style and scale; the other digits keep the palette's colour.
    TimecodeState state(makeTimecode({0, 1, 2, 3, 4, 5}, at24));
    FieldWindow window(fieldOf(state));
    window.environment->setTimecodeFormat({Option::showSubFrames});
    window.environment->setTimecodeSubFramesStyle(QColor(Qt::blue), TimecodeTextScale::secondary);
    const QImage image = window.field->grab().toImage();
    int blue = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor color = image.pixelColor(x, y);
            blue += color.blue() > 150 && color.red() < 100 ? 1 : 0;
        }
    }
    EXPECT_GT(blue, 0);
    EXPECT_LT(window.view(Component::subFrames)->sizeHint().height(),
              window.view(Component::frames)->sizeHint().height());
}

TEST(TimecodeFieldTest, TypingFillsTheComponentsAndKeysMoveBetweenThem) {
    TimecodeState state(makeTimecode({0, 10, 20, 30, 12, 0}, at24));
    FieldWindow window(fieldOf(state));
    window.environment->setTimecodeFieldInputStyle(TimecodeFieldInputStyle::autoAdvance);
    window.environment->setTimecodeFormat({Option::showSubFrames});
    window.focus(Component::hours);
    EXPECT_EQ(window.field->focusedComponent(), Component::hours);

    window.type("0102030450");
    EXPECT_EQ(state.timecode().components(), (Timecode::Components{0, 1, 2, 3, 4, 50}));
    EXPECT_EQ(window.field->text(), QStringLiteral("01:02:03:04.50"));
    // The last component stays focused without wrapping.
    EXPECT_EQ(window.field->focusedComponent(), Component::subFrames);

    // Separators, arrows and Tab move; Backspace on a zero moves back; a focused component
    // starts a new value with its first digit.
    window.environment->setTimecodeFieldInputStyle(
        TimecodeFieldInputStyle::continuousWithinComponent);
    window.press(Qt::Key_Left);
    window.press(Qt::Key_Left);
    EXPECT_EQ(window.field->focusedComponent(), Component::seconds);
    window.type("7:");
    EXPECT_EQ(window.field->focusedComponent(), Component::frames);
    window.press(Qt::Key_Backtab);
    window.press(Qt::Key_Backspace);
    window.press(Qt::Key_Backspace);
    EXPECT_EQ(window.field->focusedComponent(), Component::minutes);
    window.press(Qt::Key_Up);
    window.press(Qt::Key_Tab);
    EXPECT_EQ(window.field->focusedComponent(), Component::seconds);
    EXPECT_EQ(state.timecode().components(), (Timecode::Components{0, 1, 3, 0, 4, 50}));

    // With wrapping the last component moves on to the first.
    window.environment->setTimecodeFieldInputWrapping(TimecodeFieldInputWrapping::wrap);
    window.focus(Component::subFrames);
    window.press(Qt::Key_Right);
    EXPECT_EQ(window.field->focusedComponent(), Component::hours);

    // Leaving the field, or disabling it, leaves no component focused.
    window.other->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(window.field->focusedComponent(), std::nullopt);
    window.focus(Component::minutes);
    window.field->setEnabled(false);
    QApplication::processEvents();
    EXPECT_EQ(window.field->focusedComponent(), std::nullopt);
    EXPECT_FALSE(window.field->isAncestorOf(QApplication::focusWidget()));
    window.field->setEnabled(true);
    QApplication::processEvents();
    EXPECT_EQ(window.field->focusedComponent(), std::nullopt);
}

TEST(TimecodeFieldTest, ReturnAndEscapeRunTheirActionsOrPassTheKeyOn) {
    TimecodeState state(makeTimecode({0, 1, 0, 0, 0, 0}, at24));
    FieldWindow window(fieldOf(state));
    // Counts the keys that reach the window, passed on by the field.
    struct KeyCounter : QObject {
        int keys = 0;
        bool eventFilter(QObject* watched, QEvent* event) override {
            keys += watched->isWidgetType() && !static_cast<QWidget*>(watched)->parentWidget() &&
                            event->type() == QEvent::KeyPress
                        ? 1
                        : 0;
            return false;
        }
    } counter;
    window.window.installEventFilter(&counter);

    using Action = TimecodeFieldAction;
    struct Row {
        std::optional<Action> returnAction;
        std::optional<Action> escapeAction;
        Qt::Key key;
        std::optional<Component> focused;
        int passedOn;
    };
    const std::vector<Row> rows = {
        {std::nullopt, std::nullopt, Qt::Key_Escape, Component::frames, 1},
        {Action::resetComponentFocus(), std::nullopt, Qt::Key_Return, Component::hours, 1},
        {Action::resetComponentFocus(Component::seconds), std::nullopt, Qt::Key_Enter,
         Component::seconds, 1},
        {Action::focusNextComponent(), std::nullopt, Qt::Key_Return, Component::frames, 0},
        {std::nullopt, Action::endEditing(), Qt::Key_Escape, std::nullopt, 1},
    };
    for (const Row& row : rows) {
        window.environment->setTimecodeFieldReturnAction(row.returnAction);
        window.environment->setTimecodeFieldEscapeAction(row.escapeAction);
        window.focus(row.key == Qt::Key_Return && row.returnAction &&
                             row.returnAction->kind() == Action::Kind::focusNextComponent
                         ? Component::seconds
                         : Component::frames);
        counter.keys = 0;
        window.press(row.key);
        EXPECT_EQ(window.field->focusedComponent(), row.focused);
        EXPECT_EQ(counter.keys, row.passedOn);
    }
    EXPECT_EQ(window.beeps, 0);
}

TEST(TimecodeFieldTest, ValidationPolicyRefusesOrShowsInvalidValues) {
    TimecodeState state(makeTimecode({0, 1, 0, 0, 0, 0}, at24));
    FieldWindow window(fieldOf(state));
    window.focus(Component::minutes);
    window.type("75");
    EXPECT_EQ(state.timecode().components().minutes, 7);
    EXPECT_EQ(window.beeps, 1);
    // The default feedback pulses the refusing component.
    EXPECT_GT(window.view(Component::minutes)->rejectionAnimator().pulseBrightness(), 0);
    EXPECT_EQ(window.field->rejectionAnimator().pulseBrightness(), 0);

    window.environment->setTimecodeFieldValidationPolicy(
        TimecodeFieldValidationPolicy::allowInvalid);
    window.focus(Component::seconds);
    window.focus(Component::minutes);
    window.type("75");
    EXPECT_EQ(state.timecode().components().minutes, 75);
    EXPECT_EQ(window.beeps, 1);
    const StyledText shown = window.view(Component::minutes)->valueText();
    EXPECT_EQ(shown.text(), QStringLiteral("75"));
    EXPECT_EQ(shown.runs.front().format.foreground().color(), QColor(Qt::red));
    window.environment->setTimecodeValidationStyle(std::nullopt);
    EXPECT_FALSE(window.view(Component::minutes)
                     ->valueText()
                     .runs.front()
                     .format.hasProperty(QTextFormat::ForegroundBrush));

    // Keys without meaning are refused too; a custom handler hears of them instead of a beep.
    std::vector<Feedback::UserAction> refused;
    window.environment->setTimecodeFieldInputRejectionFeedback(
        Feedback::custom([&](const Feedback::UserAction& action) { refused.push_back(action); }));
    window.type("x");
    window.press(Qt::Key_Shift);
    ASSERT_EQ(refused.size(), 1u);
    EXPECT_EQ(refused.front(),
              Feedback::UserAction(Feedback::KeyRejected{Component::minutes, KeyEquivalent{U'x'},
                                                         Feedback::Reason::undefinedKey}));
    EXPECT_EQ(window.beeps, 1);
}

TEST(TimecodeFieldTest, PastesAreTakenOrRefusedByThePolicies) {
    using Paste = TimecodeFieldPastePolicy;
    using Validation = TimecodeFieldValidationPolicy;
    const Timecode oneHourAt25 = makeTimecode({0, 1, 0, 0, 0, 0}, TimecodeFrameRate::fps25);
    const Timecode::Components start{0, 0, 0, 10, 0, 0};
    struct Row {
        const char* name;
        Paste paste;
        Validation validation;
        std::function<void()> copy;
        std::optional<Timecode> taken; // none: refused
    };
    const std::vector<Row> rows = {
        {"other rate, preserved", Paste::preserveLocalProperties, Validation::enforceValid,
         [&] { copyTimecode(oneHourAt25); }, std::nullopt},
        {"other rate, discarded", Paste::discardProperties, Validation::enforceValid,
         [&] { copyTimecode(oneHourAt25); }, makeTimecode({0, 1, 0, 0, 0, 0}, at24)},
        {"other rate, taken", Paste::allowNewProperties, Validation::enforceValid,
         [&] { copyTimecode(oneHourAt25); }, oneHourAt25},
        {"text", Paste::preserveLocalProperties, Validation::enforceValid,
         [] { copyText("02:00:00:12"); }, makeTimecode({0, 2, 0, 0, 12, 0}, at24)},
        {"invalid text", Paste::preserveLocalProperties, Validation::enforceValid,
         [] { copyText("25:00:00:00"); }, std::nullopt},
        {"invalid text allowed", Paste::discardProperties, Validation::allowInvalid,
         [] { copyText("25:00:00:00"); }, makeTimecode({0, 25, 0, 0, 0, 0}, at24)},
        {"no timecode", Paste::allowNewProperties, Validation::allowInvalid,
         [] { copyText("not a timecode"); }, std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        // The components form over bound properties: a taken paste writes all four.
        Timecode::Components components = start;
        TimecodeFrameRate frameRate = TimecodeFrameRate::fps24;
        TimecodeSubFramesBase base;
        TimecodeUpperLimit limit;
        FieldWindow window([&](QWidget* parent) {
            return new TimecodeField(
                Binding<Timecode::Components>([&] { return components; },
                                              [&](const auto& value) { components = value; }),
                Binding<TimecodeFrameRate>([&] { return frameRate; },
                                           [&](const auto& value) { frameRate = value; }),
                Binding<TimecodeSubFramesBase>([&] { return base; },
                                               [&](const auto& value) { base = value; }),
                Binding<TimecodeUpperLimit>([&] { return limit; },
                                            [&](const auto& value) { limit = value; }),
                parent);
        });
        window.environment->setTimecodeFieldPastePolicy(row.paste);
        window.environment->setTimecodeFieldValidationPolicy(row.validation);
        row.copy();
        window.focus(Component::seconds);
        window.press(Qt::Key_V, Qt::ControlModifier);
        if (row.taken) {
            EXPECT_EQ(components, row.taken->components());
            EXPECT_EQ(frameRate, row.taken->frameRate());
            EXPECT_EQ(window.field->text(), QString::fromStdString(row.taken->formattedString()));
            EXPECT_EQ(window.beeps, 0);
        } else {
            EXPECT_EQ(components, start);
            EXPECT_EQ(frameRate, TimecodeFrameRate::fps24);
            EXPECT_EQ(window.beeps, 1);
            EXPECT_GT(window.field->rejectionAnimator().pulseBrightness(), 0);
        }
    }
}

TEST(TimecodeFieldTest, RefusedPastesGiveTheFeedbackTheEnvironmentAsks) {
    TimecodeState state(makeTimecode({0, 1, 0, 0, 0, 0}, at24));
    FieldWindow window(fieldOf(state));
    int handled = 0;
    struct Row {
        std::optional<Feedback> feedback;
        int beeps;
        int handlerCalls;
        bool shakes;
    };
    const std::vector<Row> rows = {
        {std::nullopt, 0, 0, false},
        {Feedback::validationBased(std::nullopt), 1, 0, false},
        {Feedback::custom([&](const Feedback::UserAction& action) {
             handled += std::holds_alternative<Feedback::PasteRejected>(action) ? 1 : 0;
         }),
         0, 1, false},
        {Feedback::validationBasedAndUndefinedKeys(Feedback::RejectionAnimation::shake), 1, 0,
         true},
    };
    copyText("junk");
    for (const Row& row : rows) {
        window.environment->setTimecodeFieldInputRejectionFeedback(row.feedback);
        window.beeps = 0;
        handled = 0;
        window.focus(Component::hours);
        window.press(Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(window.beeps, row.beeps);
        EXPECT_EQ(handled, row.handlerCalls);
        EXPECT_EQ(window.field->rejectionAnimator().shakeOffset() != 0, row.shakes);
        EXPECT_EQ(window.field->rejectionAnimator().pulseBrightness(), 0);
        EXPECT_EQ(state.timecode().components().hours, 1);
    }

    // A second refusal restarts the shake from its full offset; then it comes to rest.
    QTest::qWait(100);
    EXPECT_LT(window.field->rejectionAnimator().shakeOffset(), 4);
    window.press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_GT(window.field->rejectionAnimator().shakeOffset(), 4);
    QTest::qWait(900);
    EXPECT_EQ(window.field->rejectionAnimator().shakeOffset(), 0);
    EXPECT_EQ(window.field->graphicsEffect(), nullptr);

    // The field's own paste goes to its container's action, not to the field.
    std::vector<TimecodePasteResult> pasted;
    window.field->paste();
    QApplication::processEvents();
    TimecodeEnvironment::of(&window.window)
        ->setTimecodePasted(TimecodePasteAction{
            [&](const TimecodePasteResult& result) { pasted.push_back(result); }});
    copyText("03:00:00:00");
    window.field->paste();
    QApplication::processEvents();
    ASSERT_EQ(pasted.size(), 1u);
    EXPECT_EQ(std::get<Timecode>(pasted.front()).components().hours, 3);
    EXPECT_EQ(state.timecode().components().hours, 1);
}

TEST(TimecodeFieldTest, NothingToPasteIsNoPaste) {
    // A clipboard with neither a timecode nor text: no beep, no pulse, no paste action.
    const std::vector<std::pair<const char*, std::function<void()>>> clipboards = {
        {"empty", [] { QApplication::clipboard()->clear(); }},
        {"an image",
         [] { QApplication::clipboard()->setImage(QImage(4, 4, QImage::Format_RGB32)); }},
        {"another type",
         [] {
             auto* data = new QMimeData;
             data->setData(QStringLiteral("application/x-other"), QByteArray("01:00:00:00"));
             QApplication::clipboard()->setMimeData(data);
         }},
    };
    TimecodeState state(makeTimecode({0, 1, 0, 0, 0, 0}, at24));
    FieldWindow window(fieldOf(state));
    int pasted = 0;
    TimecodeEnvironment::of(&window.window)
        ->setTimecodePasted(TimecodePasteAction{[&](const TimecodePasteResult&) { ++pasted; }});
    for (const auto& [name, copy] : clipboards) {
        SCOPED_TRACE(name);
        copy();
        window.focus(Component::hours);
        window.press(Qt::Key_V, Qt::ControlModifier);
        window.field->paste();
        QApplication::processEvents();
        EXPECT_EQ(window.beeps, 0);
        EXPECT_EQ(window.field->rejectionAnimator().pulseBrightness(), 0);
        EXPECT_EQ(pasted, 0);
        EXPECT_EQ(state.timecode().components().hours, 1);
    }
}

TEST(TimecodeFieldTest, BothBindingFormsStayInStep) {
    // The whole-timecode form: a new frame rate keeps the components.
    TimecodeState state(makeTimecode({0, 1, 0, 0, 12, 0}, at24));
    FieldWindow whole(fieldOf(state));
    whole.field->frameRate().set(TimecodeFrameRate::fps29_97d);
    EXPECT_EQ(state.timecode().components(), (Timecode::Components{0, 1, 0, 0, 12, 0}));
    EXPECT_EQ(state.timecode().frameRate(), TimecodeFrameRate::fps29_97d);
    // The state's notice brings the new rate into the row.
    QApplication::processEvents();
    EXPECT_EQ(whole.field->text(), QStringLiteral("01:00:00;12"));
    whole.focus(Component::frames);
    whole.type("5");
    EXPECT_EQ(whole.field->components().get().frames, 5);

    // The components form at fixed properties: property writes are dropped, and a timecode
    // equal to the bound parts writes nothing.
    Timecode::Components components{0, 1, 0, 0, 0, 0};
    int writes = 0;
    FieldWindow fixed([&](QWidget* parent) {
        return new TimecodeField(Binding<Timecode::Components>([&] { return components; },
                                                               [&](const auto& value) {
                                                                   components = value;
                                                                   ++writes;
                                                               }),
                                 TimecodeFrameRate::fps25, TimecodeSubFramesBase::max80SubFrames,
                                 TimecodeUpperLimit::max24Hours, parent);
    });
    fixed.field->timecode().set(fixed.field->timecode().get());
    EXPECT_EQ(writes, 0);
    fixed.field->timecode().set(makeTimecode({0, 2, 0, 0, 0, 0}, TimecodeFrameRate::fps30));
    EXPECT_EQ(components.hours, 2);
    EXPECT_EQ(fixed.field->timecode().get().frameRate(), TimecodeFrameRate::fps25);
    EXPECT_EQ(writes, 1);
    // A binding that announces nothing shows a value changed outside after refresh(), also in
    // the editor being typed in.
    fixed.focus(Component::minutes);
    fixed.type("4");
    components.minutes = 30;
    fixed.field->refresh();
    EXPECT_EQ(fixed.field->text(), QStringLiteral("02:30:00:00"));
    EXPECT_EQ(fixed.view(Component::minutes)->stateModel().textInput(), "4");
}

TEST(TimecodeFieldTest, FollowsValuesWrittenElsewhereWithoutEchoingThem) {
    struct Row {
        const char* name;
        std::function<TimecodeField*(Storage&, QWidget*)> make;
    };
    const std::vector<Row> rows = {
        {"whole timecode",
         [](Storage& storage, QWidget* parent) {
             return new TimecodeField(storage.bindWhole(), parent);
         }},
        {"bound parts",
         [](Storage& storage, QWidget* parent) {
             return new TimecodeField(
                 storage.bind(&Storage::components), storage.bind(&Storage::frameRate),
                 storage.bind(&Storage::base), storage.bind(&Storage::limit), parent);
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Storage storage;
        FieldWindow window([&](QWidget* parent) { return row.make(storage, parent); });
        window.focus(Component::minutes);
        window.type("4");
        storage.writes = 0;

        storage.components = {2, 3, 30, 0, 100, 0};
        storage.frameRate = TimecodeFrameRate::fps120d;
        storage.limit = TimecodeUpperLimit::max100Days;
        storage.notifier.notify();
        EXPECT_EQ(window.field->text(), QStringLiteral("02 03:30:00;100"));
        EXPECT_EQ(window.view(Component::frames)->stateModel().validRange().upperBound, 119);
        EXPECT_EQ(window.view(Component::minutes)->stateModel().textInput(), "4");
        EXPECT_EQ(storage.writes, 0);
    }
}

TEST(TimecodeFieldTest, FocusedAndHoveredComponentsAreHighlighted) {
    TimecodeState state(makeTimecode({0, 1, 0, 0, 0, 0}, at24));
    FieldWindow window(fieldOf(state));
    TimecodeComponentView* hours = window.view(Component::hours);
    EXPECT_EQ(hours->backgroundStyle(), std::nullopt);
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(hours, &enter);
    ASSERT_TRUE(hours->backgroundStyle().has_value());
    const QBrush hover = *hours->backgroundStyle();
    window.focus(Component::hours);
    EXPECT_EQ(hours->backgroundStyle(), hours->palette().brush(QPalette::Highlight));
    window.environment->setTimecodeFieldHighlightStyle(std::nullopt);
    EXPECT_EQ(hours->backgroundStyle(), hover);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(hours, &leave);
    EXPECT_EQ(hours->backgroundStyle(), std::nullopt);
}
