#include "desktop/SettingsWindow.h"

#include "app/LayoutEditor.h"
#include "app/ReportOptionsReader.h"
#include "desktop/LayoutNameDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace marrowvale {

namespace {

// How wide a layout menu shows a name, in average characters; a longer name is elided in the
// middle and shown whole in the item's tooltip.
constexpr int layoutMenuNameWidth = 40;

// The widths offered; any other can be typed.
const QStringList thumbnailWidths = {"40", "60", "80", "100", "120", "160", "200", "240", "320"};

struct TimeDisplayCaption {
    const char* title;
    const char* name; // the control's name, with "Checkbox1", "Checkbox2" or "AdjField" after it
};
constexpr std::array<TimeDisplayCaption, 5> timeDisplayCaptions = {{
    {"Timecode (hh:mm:ss:ff)", "hhmmssff"},
    {"Frames", "frames"},
    {"Feet+Frames", "feetframes"},
    {"Clock time (hh:mm:ss)", "clock"},
    {"Seconds", "seconds"},
}};

std::size_t timeIndex(TimeGroup group, TimeDisplay display) {
    return (group == TimeGroup::sequence ? 0 : timeDisplays.size()) +
           static_cast<std::size_t>(display);
}

bool isThumbnailColumn(ColumnCheckbox checkbox) {
    return checkbox == ColumnCheckbox::thumbnails || checkbox == ColumnCheckbox::keepThumbnails;
}

} // namespace

SettingsWindow::SettingsWindow(QComboBox& appLayoutMenu, QWidget* parent)
    : QWidget(parent, Qt::Window), layoutsAppPopup_(appLayoutMenu) {
    setObjectName("settingsWindow");
    setWindowTitle(tr("Settings"));

    settingsTabs_ = new QTabWidget;
    settingsTabs_->setObjectName("settingsTabs");
    settingsTabs_->addTab(buildLayoutsTab(), tr("Layouts"));
    settingsTabs_->addTab(buildTimesTab(), tr("Times and Text"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(settingsTabs_);
    layoutNameWindow_ = new LayoutNameDialog(this);

    // As the window first shows: the built-in layout, which cannot be changed.
    setLayoutMenuItems(LayoutMenu::app, {});
    setLayoutMenuItems(LayoutMenu::settings, {});
    for (const ReportColumn& entry : reportColumns) {
        setColumnState(entry.checkbox, true);
        setColumnEnabled(entry.checkbox, false);
    }
    for (ColumnCheckbox off : {ColumnCheckbox::rowNumbers, ColumnCheckbox::thumbnails,
                               ColumnCheckbox::keepThumbnails, ColumnCheckbox::id3Metadata}) {
        setColumnState(off, false);
    }
    setThumbnailWidthText("40");
    setThumbnailWidthEnabled(false);
    setEditAndRemoveEnabled(false);
    setTimeDisplayState(TimeGroup::sequence, TimeDisplay::timecode, true);
    setTimeDisplayState(TimeGroup::source, TimeDisplay::timecode, true);
}

QWidget* SettingsWindow::buildLayoutsTab() {
    layoutsSettingsPopup_ = new QComboBox;
    layoutsSettingsPopup_->setObjectName("layoutsSettingsPopup");
    addLayoutButton_ = new QPushButton(tr("Add…"));
    addLayoutButton_->setObjectName("addLayoutButton");
    editLayoutButton_ = new QPushButton(tr("Rename…"));
    editLayoutButton_->setObjectName("editLayoutButton");
    removeLayoutButton_ = new QPushButton(tr("Remove"));
    removeLayoutButton_->setObjectName("removeLayoutButton");
    auto* menuRow = new QHBoxLayout;
    menuRow->addWidget(new QLabel(tr("Layout:")));
    menuRow->addWidget(layoutsSettingsPopup_, 1);
    menuRow->addWidget(addLayoutButton_);
    menuRow->addWidget(editLayoutButton_);
    menuRow->addWidget(removeLayoutButton_);

    for (std::size_t i = 0; i < reportColumns.size(); ++i) {
        columnCheckboxes_[i] = new QCheckBox(
            QString::fromUtf8(reportColumns[i].title.data(), reportColumns[i].title.size()));
    }

    thumbnailWidthPopup_ = new QComboBox;
    thumbnailWidthPopup_->setObjectName("thumbnailWidthPopup");
    thumbnailWidthPopup_->setEditable(true);
    thumbnailWidthPopup_->setInsertPolicy(QComboBox::NoInsert);
    thumbnailWidthPopup_->addItems(thumbnailWidths);
    auto* thumbnails = new QGroupBox(tr("Thumbnails"));
    auto* thumbnailRow = new QHBoxLayout(thumbnails);
    thumbnailRow->addWidget(column(ColumnCheckbox::thumbnails));
    thumbnailRow->addWidget(new QLabel(tr("Width:")));
    thumbnailRow->addWidget(thumbnailWidthPopup_);
    thumbnailRow->addWidget(new QLabel(tr("pixels")));
    thumbnailRow->addSpacing(12);
    thumbnailRow->addWidget(column(ColumnCheckbox::keepThumbnails));
    thumbnailRow->addStretch();

    // The other columns top to bottom, in three columns.
    auto* columns = new QGroupBox(tr("Columns"));
    auto* grid = new QGridLayout(columns);
    constexpr int rowsPerColumn = 8;
    int placed = 0;
    for (const ReportColumn& entry : reportColumns) {
        if (!isThumbnailColumn(entry.checkbox)) {
            grid->addWidget(column(entry.checkbox), placed % rowsPerColumn, placed / rowsPerColumn);
            ++placed;
        }
    }

    auto* tab = new QWidget;
    auto* layout = new QVBoxLayout(tab);
    layout->addLayout(menuRow);
    layout->addWidget(thumbnails);
    layout->addWidget(columns);
    layout->addStretch();
    return tab;
}

QWidget* SettingsWindow::buildTimesTab() {
    auto* sequence = new QGroupBox(tr("Sequence times"));
    auto* sequenceGrid = new QGridLayout(sequence);
    auto* source = new QGroupBox(tr("Source times"));
    auto* sourceColumn = new QVBoxLayout(source);
    for (TimeDisplay display : timeDisplays) {
        const TimeDisplayCaption& caption = timeDisplayCaptions[static_cast<std::size_t>(display)];
        const QString name = QString::fromLatin1(caption.name);
        auto* sequenceBox = new QCheckBox(tr(caption.title));
        sequenceBox->setObjectName(name + "Checkbox1");
        auto* sourceBox = new QCheckBox(tr(caption.title));
        sourceBox->setObjectName(name + "Checkbox2");
        auto* field = new QLineEdit;
        field->setObjectName(name + "AdjField");
        field->setPlaceholderText("0");
        timeDisplayCheckboxes_[timeIndex(TimeGroup::sequence, display)] = sequenceBox;
        timeDisplayCheckboxes_[timeIndex(TimeGroup::source, display)] = sourceBox;
        adjustmentFields_[static_cast<std::size_t>(display)] = field;

        int row = static_cast<int>(display);
        sequenceGrid->addWidget(sequenceBox, row, 0);
        sequenceGrid->addWidget(new QLabel(tr("adjusted by")), row, 1);
        sequenceGrid->addWidget(field, row, 2);
        sequenceGrid->addWidget(new QLabel(tr("frames")), row, 3);
        sourceColumn->addWidget(sourceBox);
    }

    auto* text = new QGroupBox(tr("Text"));
    auto* textColumn = new QVBoxLayout(text);
    colorRadioButtons_ = new QButtonGroup(this);
    colorRadioButtons_->setObjectName("colorRadioButtons");
    int row = 0;
    for (const QString& caption : {tr("Coloured text"), tr("Black text")}) {
        auto* radio = new QRadioButton(caption);
        colorRadioButtons_->addButton(radio, row);
        textColumn->addWidget(radio);
        ++row;
    }
    colorRadioButtons_->button(0)->setChecked(true);

    auto* tab = new QWidget;
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(sequence);
    layout->addWidget(source);
    layout->addWidget(text);
    layout->addStretch();
    return tab;
}

void SettingsWindow::attach(LayoutEditor& editor) {
    editor_ = &editor;
    connect(layoutsSettingsPopup_, &QComboBox::activated, this,
            [this] { editor_->chooseLayoutInSettings(); });
    connect(addLayoutButton_, &QPushButton::clicked, this, [this] { editor_->addLayout(); });
    connect(editLayoutButton_, &QPushButton::clicked, this, [this] { editor_->editLayout(); });
    connect(removeLayoutButton_, &QPushButton::clicked, this, [this] { editor_->removeLayout(); });
    connect(layoutNameWindow_, &QDialog::accepted, this,
            [this] { editor_->confirmLayoutName(layoutNameWindow_->name().toStdString()); });
    for (const ReportColumn& entry : reportColumns) {
        ColumnCheckbox checkbox = entry.checkbox;
        connect(column(checkbox), &QCheckBox::clicked, this,
                [this, checkbox] { editor_->columnCheckboxChanged(checkbox); });
    }
    // A chosen width, or a typed one once it is entered or left.
    connect(thumbnailWidthPopup_, &QComboBox::activated, this,
            [this] { editor_->thumbnailWidthChanged(); });
    connect(thumbnailWidthPopup_->lineEdit(), &QLineEdit::editingFinished, this,
            [this] { editor_->thumbnailWidthChanged(); });
    for (QCheckBox* box : timeDisplayCheckboxes_) {
        connect(box, &QCheckBox::clicked, this, [this] { validateTimeDisplayPreferences(*this); });
    }
}

QCheckBox* SettingsWindow::column(ColumnCheckbox checkbox) const {
    return columnCheckboxes_[static_cast<std::size_t>(checkbox)];
}

QCheckBox* SettingsWindow::timeDisplay(TimeGroup group, TimeDisplay display) const {
    return timeDisplayCheckboxes_[timeIndex(group, display)];
}

bool SettingsWindow::columnState(ColumnCheckbox checkbox) const {
    return column(checkbox)->isChecked();
}

void SettingsWindow::setColumnState(ColumnCheckbox checkbox, bool on) {
    column(checkbox)->setChecked(on);
}

void SettingsWindow::setColumnEnabled(ColumnCheckbox checkbox, bool enabled) {
    column(checkbox)->setEnabled(enabled);
}

std::string SettingsWindow::thumbnailWidthText() const {
    return thumbnailWidthPopup_->currentText().toStdString();
}

void SettingsWindow::setThumbnailWidthText(const std::string& text) {
    const QString width = QString::fromStdString(text);
    int item = thumbnailWidthPopup_->findText(width);
    if (item >= 0) {
        thumbnailWidthPopup_->setCurrentIndex(item);
    }
    thumbnailWidthPopup_->setEditText(width);
}

void SettingsWindow::setThumbnailWidthEnabled(bool enabled) {
    thumbnailWidthPopup_->setEnabled(enabled);
}

bool SettingsWindow::timeDisplayState(TimeGroup group, TimeDisplay display) const {
    return timeDisplay(group, display)->isChecked();
}

void SettingsWindow::setTimeDisplayState(TimeGroup group, TimeDisplay display, bool on) {
    timeDisplay(group, display)->setChecked(on);
}

std::string SettingsWindow::adjustmentText(TimeDisplay display) const {
    return adjustmentFields_[static_cast<std::size_t>(display)]->text().toStdString();
}

int SettingsWindow::colorChoiceRow() const {
    return colorRadioButtons_->checkedId();
}

QComboBox& SettingsWindow::layoutMenu(LayoutMenu menu) const {
    return menu == LayoutMenu::app ? layoutsAppPopup_ : *layoutsSettingsPopup_;
}

void SettingsWindow::setLayoutMenuItems(LayoutMenu menu, const std::vector<std::string>& names) {
    QComboBox& box = layoutMenu(menu);
    int selected = box.currentIndex();
    box.clear();
    box.addItem(QString::fromUtf8(builtInLayoutName.data(), builtInLayoutName.size()));
    const QFontMetrics metrics = box.fontMetrics();
    for (const std::string& name : names) {
        const QString whole = QString::fromStdString(name);
        const QString shown = metrics.elidedText(whole, Qt::ElideMiddle,
                                                 metrics.averageCharWidth() * layoutMenuNameWidth);
        box.addItem(shown);
        if (shown != whole) {
            box.setItemData(box.count() - 1, whole, Qt::ToolTipRole);
        }
    }
    box.setCurrentIndex(std::clamp(selected, 0, box.count() - 1));
}

int SettingsWindow::selectedLayoutIndex(LayoutMenu menu) const {
    return layoutMenu(menu).currentIndex();
}

void SettingsWindow::selectLayoutIndex(LayoutMenu menu, int index) {
    QComboBox& box = layoutMenu(menu);
    if (index >= 0 && index < box.count()) {
        box.setCurrentIndex(index);
    }
}

void SettingsWindow::setEditAndRemoveEnabled(bool enabled) {
    editLayoutButton_->setEnabled(enabled);
    removeLayoutButton_->setEnabled(enabled);
}

void SettingsWindow::showLayoutNameSheet(const std::string& name) {
    layoutNameWindow_->ask(QString::fromStdString(name));
}

void SettingsWindow::showSettingsWindow() {
    settingsTabs_->setCurrentIndex(0);
    show();
    raise();
    activateWindow();
}

} // namespace marrowvale
