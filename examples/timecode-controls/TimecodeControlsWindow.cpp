#include "TimecodeControlsWindow.h"

#include "DovovevoZavUI/Binding.h"
#include "DovovevoZavUI/TimecodeEnvironment.h"
#include "DovovevoZavUI/TimecodeField.h"
#include "DovovevoZavUI/TimecodeState.h"
#include "DovovevoZavUI/TimecodeText.h"
#include "DovovevoZavUI/TimecodeTextField.h"
#include "DovovevoZavUI/TimecodeTextFieldCell.h"
#include "DovovevoZavUI/TimecodeTextFormatting.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>
#include <memory>

using namespace dovovevozav;

namespace {

using Option = TimecodeStringFormatOption;

QTextCharFormat redText() {
    QTextCharFormat format;
    format.setForeground(QColor(0xd0, 0x21, 0x1d));
    return format;
}

Timecode makeTimecode(Timecode::Components components, TimecodeProperties properties) {
    Timecode timecode(properties);
    timecode.setComponents(components);
    return timecode;
}

// A field at the properties that shows out-of-range components in red once it is left.
TimecodeTextField* makeField(const TimecodeProperties& properties, const QString& text,
                             QWidget* parent) {
    auto* field = new TimecodeTextField(parent);
    TimecodeTextFormatter* formatter = field->formatter();
    formatter->setFrameRate(properties.frameRate);
    formatter->setUpperLimit(properties.upperLimit);
    formatter->setSubFramesBase(properties.subFramesBase);
    formatter->setShowsValidation(true);
    formatter->setInvalidAttributes(redText());
    field->setText(text);
    return field;
}

} // namespace

TimecodeControlsWindow::TimecodeControlsWindow(QWidget* parent)
    : QWidget(parent), sections_(new QVBoxLayout(this)) {
    setWindowTitle(tr("Timecode entry controls"));
    addSection(tr("Text field"), textFieldSection());
    addSection(tr("Table cells"), tableCellSection());
    addSection(tr("Timecode text"), timecodeTextSection());
    addSection(tr("Timecode state"), timecodeStateSection());
    addSection(tr("Timecode field"), timecodeFieldSection());
    sections_->addStretch();
}

void TimecodeControlsWindow::addSection(const QString& title, QWidget* content) {
    auto* group = new QGroupBox(title, this);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(content);
    sections_->addWidget(group);
}

QWidget* TimecodeControlsWindow::textFieldSection() {
    auto* section = new QWidget(this);
    auto* form = new QFormLayout(section);
    form->addRow(tr("29.97 drop-frame"), makeField(TimecodeProperties(TimecodeFrameRate::fps29_97d),
                                                   QStringLiteral("1.0.0.0"), section));
    form->addRow(tr("25 fps, frames out of range"),
                 makeField(TimecodeProperties(TimecodeFrameRate::fps25),
                           QStringLiteral("10:00:00:99"), section));
    form->addRow(tr("100-day clock"),
                 makeField(TimecodeProperties(TimecodeFrameRate::fps24,
                                              TimecodeSubFramesBase::max80SubFrames,
                                              TimecodeUpperLimit::max100Days),
                           QStringLiteral("2 01:00:00:00"), section));
    return section;
}

QWidget* TimecodeControlsWindow::tableCellSection() {
    const QStringList clips = {tr("Interview A"), tr("Cutaway"), tr("Title card")};
    const QStringList starts = {QStringLiteral("1:0:0:0"), QStringLiteral("01:00:12:07"),
                                QStringLiteral("01:00:75:00")};
    auto* table = new QTableWidget(static_cast<int>(clips.size()), 2, this);
    table->setHorizontalHeaderLabels({tr("Clip"), tr("Start")});
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    for (int row = 0; row < clips.size(); ++row) {
        table->setItem(row, 0, new QTableWidgetItem(clips[row]));
        table->setItem(row, 1, new QTableWidgetItem(starts[row]));
    }
    auto* cell = new TimecodeTextFieldCell(table);
    cell->formatter()->setFrameRate(TimecodeFrameRate::fps25);
    cell->formatter()->setUpperLimit(TimecodeUpperLimit::max24Hours);
    cell->formatter()->setSubFramesBase(TimecodeSubFramesBase::max80SubFrames);
    cell->formatter()->setShowsValidation(true);
    cell->formatter()->setInvalidAttributes(redText());
    table->setItemDelegateForColumn(1, cell);
    table->setFixedHeight(table->horizontalHeader()->height() +
                          table->rowHeight(0) * static_cast<int>(clips.size()) +
                          2 * table->frameWidth());
    return table;
}

QWidget* TimecodeControlsWindow::timecodeTextSection() {
    auto* section = new QWidget(this);
    TimecodeEnvironment* environment = TimecodeEnvironment::of(section);
    environment->setTimecodeSeparatorStyle(QColor(Qt::gray));
    environment->setTimecodeSubFramesStyle(QColor(0x1d, 0x5f, 0xd0), TimecodeTextScale::secondary);
    environment->setTimecodeFormat({Option::showSubFrames});

    // Switches for the format every text below reads from the section's environment.
    const Binding<TimecodeStringFormat> format(
        [section] { return TimecodeEnvironment::timecodeFormat(section); },
        [section](const TimecodeStringFormat& value) {
            TimecodeEnvironment::of(section)->setTimecodeFormat(value);
        });
    auto* switches = new QHBoxLayout;
    for (const auto& [label, option] :
         {std::pair{tr("Show subframes"), Option::showSubFrames},
          std::pair{tr("Always show days"), Option::alwaysShowDays},
          std::pair{tr("For file names"), Option::filenameCompatible}}) {
        const Binding<bool> on = formatOption(format, option);
        auto* box = new QCheckBox(label, section);
        box->setChecked(on.get());
        connect(box, &QCheckBox::toggled, section, [on](bool checked) { on.set(checked); });
        switches->addWidget(box);
    }
    switches->addStretch();

    auto* form = new QFormLayout(section);
    form->addRow(switches);
    form->addRow(tr("29.97 drop-frame"),
                 new TimecodeText(makeTimecode({0, 1, 2, 3, 4, 40},
                                               TimecodeProperties(TimecodeFrameRate::fps29_97d)),
                                  section));
    form->addRow(tr("Hours and subframes out of range"),
                 new TimecodeText(makeTimecode({0, 25, 0, 0, 0, 95},
                                               TimecodeProperties(TimecodeFrameRate::fps25)),
                                  section));
    form->addRow(
        tr("120 fps, quarter frames"),
        new TimecodeText(makeTimecode({0, 0, 0, 10, 5, 3},
                                      TimecodeProperties(TimecodeFrameRate::fps120,
                                                         TimecodeSubFramesBase::quarterFrames)),
                         section));
    form->addRow(tr("Fixed format, days always shown"),
                 timecodeText(makeTimecode({0, 10, 0, 0, 0, 0},
                                           TimecodeProperties(TimecodeFrameRate::fps24)),
                              {Option::alwaysShowDays}, section));
    return section;
}

QWidget* TimecodeControlsWindow::timecodeStateSection() {
    auto* section = new QWidget(this);
    const TimecodeProperties properties(TimecodeFrameRate::fps25);
    auto* state = new TimecodeState(makeTimecode({0, 1, 0, 0, 0, 0}, properties), section);
    auto* field =
        makeField(properties, QString::fromStdString(state->timecode().formattedString()), section);
    auto* text = new TimecodeText(state->timecode(), section);

    // The field writes the state when an edit ends; the text follows the state.
    connect(field, &QLineEdit::editingFinished, state, [field, state, properties] {
        if (const auto timecode = parseTimecodeText(field->text().toStdString(), properties)) {
            state->setTimecode(*timecode);
        }
    });
    connect(state, &TimecodeState::timecodeChanged, text,
            [state, text] { text->setTimecode(state->timecode()); });

    auto* form = new QFormLayout(section);
    form->addRow(tr("Type a timecode"), field);
    form->addRow(tr("The state shows"), text);
    return section;
}

QWidget* TimecodeControlsWindow::timecodeFieldSection() {
    auto* section = new QWidget(this);
    TimecodeEnvironment* environment = TimecodeEnvironment::of(section);
    environment->setTimecodeSeparatorStyle(QColor(Qt::gray));
    environment->setTimecodeFieldReturnAction(TimecodeFieldAction::focusNextComponent());
    environment->setTimecodeFieldEscapeAction(TimecodeFieldAction::endEditing());

    // A whole timecode owned by a state: the field follows the state by its binding, and the
    // text beside the field follows the state's change notice.
    auto* state = new TimecodeState(
        makeTimecode({0, 1, 0, 0, 0, 0}, TimecodeProperties(TimecodeFrameRate::fps29_97d)),
        section);
    auto* wholeField = new TimecodeField(state->binding(), section);
    auto* text = new TimecodeText(state->timecode(), section);
    connect(state, &TimecodeState::timecodeChanged, text,
            [state, text] { text->setTimecode(state->timecode()); });
    auto* whole = new QHBoxLayout;
    whole->addWidget(wholeField);
    whole->addSpacing(12);
    whole->addWidget(text);
    whole->addStretch();

    // Components at fixed properties, subframes shown, digits moving on by themselves.
    auto* subFramesContainer = new QWidget(section);
    TimecodeEnvironment* subFrames = TimecodeEnvironment::of(subFramesContainer);
    subFrames->setTimecodeFormat({Option::showSubFrames});
    subFrames->setTimecodeSubFramesStyle(QColor(0x1d, 0x5f, 0xd0), TimecodeTextScale::secondary);
    subFrames->setTimecodeFieldInputStyle(TimecodeFieldInputStyle::autoAdvance);
    subFrames->setTimecodeFieldInputWrapping(TimecodeFieldInputWrapping::wrap);
    auto components =
        std::make_shared<Timecode::Components>(Timecode::Components{0, 10, 0, 0, 12, 40});
    auto* subFramesLayout = new QHBoxLayout(subFramesContainer);
    subFramesLayout->setContentsMargins(0, 0, 0, 0);
    subFramesLayout->addWidget(new TimecodeField(
        Binding<Timecode::Components>(
            [components] { return *components; },
            [components](const Timecode::Components& value) { *components = value; }),
        TimecodeProperties(TimecodeFrameRate::fps25), subFramesContainer));
    subFramesLayout->addStretch();

    // A 100-day clock that lets out-of-range values stand and shakes on a refused paste.
    auto* daysContainer = new QWidget(section);
    TimecodeEnvironment* days = TimecodeEnvironment::of(daysContainer);
    days->setTimecodeFieldValidationPolicy(TimecodeFieldValidationPolicy::allowInvalid);
    days->setTimecodeFieldInputRejectionFeedback(
        TimecodeFieldInputRejectionFeedback::validationBased(
            TimecodeFieldInputRejectionFeedback::RejectionAnimation::shake));
    auto* daysState = new TimecodeState(
        makeTimecode({2, 10, 75, 0, 0, 0}, TimecodeProperties(TimecodeFrameRate::fps24,
                                                              TimecodeSubFramesBase::max80SubFrames,
                                                              TimecodeUpperLimit::max100Days)),
        daysContainer);
    auto* daysLayout = new QHBoxLayout(daysContainer);
    daysLayout->setContentsMargins(0, 0, 0, 0);
    daysLayout->addWidget(new TimecodeField(daysState->binding(), daysContainer));
    daysLayout->addStretch();

    auto* form = new QFormLayout(section);
    form->addRow(tr("29.97 drop-frame, with its state"), whole);
    form->addRow(tr("25 fps with subframes, auto-advance"), subFramesContainer);
    form->addRow(tr("100-day clock, out of range allowed"), daysContainer);
    return section;
}
