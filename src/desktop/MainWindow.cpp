#include "desktop/MainWindow.h"

#include "app/controller/AppController.h"
#include "desktop/Desktop.h"
#include "desktop/ElidedLabel.h"
#include "desktop/FileTypeIcon.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStringList>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <iostream>

namespace marrowvale {

namespace {

constexpr int fileIconSize = 32;
// The bar's own scale: fine enough for any maximum a reader sets.
constexpr int progressSteps = 10000;
// How long a task may keep the event loop waiting between two progress steps.
constexpr qint64 eventLoopInterval = 40;

// The switches' titles and widget names, in the order of `SheetKey`.
constexpr std::array<const char*, allSheetKeys.size()> sheetSwitchTitles = {
    "Ignore audio in AV clips", "Markers",       "Graphics && Titles", "Transitions",
    "Video && Audio Effects",   "Files Summary",
};
constexpr std::array<const char*, allSheetKeys.size()> sheetSwitchNames = {
    "ignoreAudioInAVClipsSwitch", "markersSheetSwitch", "graphicsSheetSwitch",
    "transitionsSheetSwitch",     "effectsSheetSwitch", "summarySheetSwitch",
};

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

// The arrow while a dialog waits for the user in the middle of a task; the busy cursor after.
class ArrowCursorScope {
public:
    explicit ArrowCursorScope(bool busy) : active_(busy) {
        if (active_) {
            QApplication::setOverrideCursor(Qt::ArrowCursor);
        }
    }
    ArrowCursorScope(const ArrowCursorScope&) = delete;
    ArrowCursorScope& operator=(const ArrowCursorScope&) = delete;
    ~ArrowCursorScope() {
        if (active_) {
            QApplication::restoreOverrideCursor();
        }
    }

private:
    bool active_;
};

QPushButton* button(const QString& title, const char* name) {
    auto* result = new QPushButton(title);
    result->setObjectName(name);
    return result;
}

} // namespace

MainWindow::MainWindow(Desktop& desktop, QWidget* parent)
    : QMainWindow(parent), desktop_(desktop), inputHold_(this) {
    setObjectName("window");
    setWindowTitle(QApplication::applicationDisplayName());

    openFileButton_ = button(tr("Open…"), "openFileButton");
    inputFileIcon_ = new QLabel;
    inputFileIcon_->setObjectName("inputFileIcon");
    inputFileIcon_->setFixedSize(fileIconSize, fileIconSize);
    inputFileName_ = new ElidedLabel;
    inputFileName_->setObjectName("inputFileName");
    inputFileName_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(openFileButton_);
    fileRow->addWidget(inputFileIcon_);
    fileRow->addWidget(inputFileName_, 1);

    reportPopup_ = new QComboBox;
    reportPopup_->setObjectName("reportPopup");
    reportPopup_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    reportPopup_->setMinimumContentsLength(24);
    analyzeButton_ = button(tr("Analyze"), "analyzeButton");
    auto* sequenceRow = new QHBoxLayout;
    sequenceRow->addWidget(new QLabel(tr("Sequence:")));
    sequenceRow->addWidget(reportPopup_, 1);
    sequenceRow->addWidget(analyzeButton_);

    auto* tables = new QHBoxLayout;
    tables->addWidget(buildTrackTable(TrackKind::video, tr("Video Tracks")));
    tables->addWidget(buildTrackTable(TrackKind::audio, tr("Audio Tracks")));

    auto* sheets = new QGroupBox(tr("Report"));
    auto* sheetGrid = new QGridLayout(sheets);
    for (std::size_t i = 0; i < sheetSwitches_.size(); ++i) {
        sheetSwitches_[i] = new QCheckBox(tr(sheetSwitchTitles[i]));
        sheetSwitches_[i]->setObjectName(sheetSwitchNames[i]);
        int cell = static_cast<int>(i);
        sheetGrid->addWidget(sheetSwitches_[i], cell % 3, cell / 3);
    }

    layoutsAppPopup_ = new QComboBox;
    layoutsAppPopup_->setObjectName("layoutsAppPopup");
    layoutEditButton_ = button(tr("Edit Layouts…"), "layoutEditButton");
    saveFileButton_ = button(tr("Save Report…"), "saveFileButton");
    saveFileButton_->setDefault(true);
    auto* saveRow = new QHBoxLayout;
    saveRow->addWidget(new QLabel(tr("Layout:")));
    saveRow->addWidget(layoutsAppPopup_, 1);
    saveRow->addWidget(layoutEditButton_);
    saveRow->addStretch();
    saveRow->addWidget(saveFileButton_);

    progressBar_ = new QProgressBar;
    progressBar_->setObjectName("progressBar");
    progressBar_->setTextVisible(false);

    auto* central = new QWidget;
    auto* column = new QVBoxLayout(central);
    column->addLayout(fileRow);
    column->addLayout(sequenceRow);
    column->addLayout(tables, 1);
    column->addWidget(sheets);
    column->addLayout(saveRow);
    column->addWidget(progressBar_);
    setCentralWidget(central);
    resize(720, 560);

    showProgress();
    updateControls();
}

MainWindow::~MainWindow() = default;

QWidget* MainWindow::buildTrackTable(TrackKind kind, const QString& title) {
    const bool video = kind == TrackKind::video;
    auto* table = new QTableWidget(0, 1);
    table->setObjectName(video ? "videoTracksTableView" : "audioTracksTableView");
    table->setHorizontalHeaderLabels({title});
    table->horizontalHeader()->setStretchLastSection(true);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 8);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    (video ? videoTracksTableView_ : audioTracksTableView_) = table;

    std::size_t which = video ? 0 : 1;
    allButtons_[which] = button(tr("All"), video ? "videoAllButton" : "audioAllButton");
    noneButtons_[which] = button(tr("None"), video ? "videoNoneButton" : "audioNoneButton");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(allButtons_[which]);
    buttons->addWidget(noneButtons_[which]);
    buttons->addStretch();

    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(table, 1);
    layout->addLayout(buttons);
    return box;
}

void MainWindow::attach(AppController& controller) {
    controller_ = &controller;
    connect(openFileButton_, &QPushButton::clicked, this, [this] { controller_->clickOpenFile(); });
    connect(analyzeButton_, &QPushButton::clicked, this,
            [this] { controller_->clickAnalyzeButton(); });
    connect(saveFileButton_, &QPushButton::clicked, this,
            [this] { controller_->clickSaveButton(); });
    connect(layoutEditButton_, &QPushButton::clicked, this,
            [this] { controller_->showSettingsWindow(); });
    connect(layoutsAppPopup_, &QComboBox::activated, this,
            [this] { controller_->layoutEditor().chooseLayoutInApp(); });
    for (TrackKind kind : {TrackKind::video, TrackKind::audio}) {
        std::size_t which = kind == TrackKind::video ? 0 : 1;
        connect(allButtons_[which], &QPushButton::clicked, this,
                [this, kind] { controller_->setAllTracksChecked(kind, true); });
        connect(noneButtons_[which], &QPushButton::clicked, this,
                [this, kind] { controller_->setAllTracksChecked(kind, false); });
        connect(trackTable(kind), &QTableWidget::itemChanged, this,
                [this, kind](QTableWidgetItem* item) {
                    controller_->setTrackChecked(kind, static_cast<std::size_t>(item->row()),
                                                 item->checkState() == Qt::Checked);
                });
    }
    buildMenus();
    updateControls();
}

void MainWindow::buildMenus() {
    auto add = [this](QMenu* menu, const QString& title, auto action, QKeySequence shortcut = {}) {
        QAction* item = menu->addAction(title, this, action);
        item->setShortcut(shortcut);
        return item;
    };
    AppController* controller = controller_;
    QMenu* file = menuBar()->addMenu(tr("&File"));
    openAction_ = add(
        file, tr("&Open…"), [controller] { controller->clickOpenFile(); }, QKeySequence::Open);
    saveAction_ = add(
        file, tr("&Save Report…"), [controller] { controller->clickSaveButton(); },
        QKeySequence::Save);
    file->addSeparator();
    add(
        file, tr("Se&ttings…"), [controller] { controller->showSettingsWindow(); },
        QKeySequence::Preferences);
    file->addSeparator();
    add(
        file, tr("&Quit"), [this] { close(); }, QKeySequence::Quit);

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    add(
        help, tr("Marrowvale &Help"), [controller] { controller->showHelp(); },
        QKeySequence::HelpContents);
    add(help, tr("Marrowvale &Website"), [controller] { controller->visitWebsite(); });
    add(help, tr("&Email Support…"), [controller] { controller->emailSupport(); });
    help->addSeparator();
    add(help, tr("Check &Media Formats"), [controller] { controller->checkMediaFormats(); });
    add(help, tr("About &Thumbnails"), [controller] { controller->showAboutThumbnails(); });
}

QTableWidget* MainWindow::trackTable(TrackKind kind) const {
    return kind == TrackKind::video ? videoTracksTableView_ : audioTracksTableView_;
}

void MainWindow::updateControls() {
    const bool idle = !busy_;
    openFileButton_->setEnabled(idle);
    analyzeButton_->setEnabled(idle && reportPopup_->count() > 0);
    saveFileButton_->setEnabled(idle && analysisControlsEnabled_);
    if (openAction_) {
        openAction_->setEnabled(idle);
        saveAction_->setEnabled(idle && analysisControlsEnabled_);
    }
    for (std::size_t which = 0; which < 2; ++which) {
        allButtons_[which]->setEnabled(analysisControlsEnabled_);
        noneButtons_[which]->setEnabled(analysisControlsEnabled_);
    }
}

void MainWindow::setProgressIndeterminate(bool indeterminate) {
    progressIndeterminate_ = indeterminate;
    showProgress();
}

void MainWindow::setProgressAnimating(bool animating) {
    progressAnimating_ = animating;
    showProgress();
}

void MainWindow::setProgressMaximum(double maximum) {
    progressMaximum_ = maximum;
    showProgress();
}

void MainWindow::setProgressValue(double value) {
    progressValue_ = value;
    showProgress();
}

void MainWindow::showProgress() {
    if (progressIndeterminate_) {
        // Qt draws a busy bar for an empty range; a still one is an empty bar.
        if (progressAnimating_) {
            progressBar_->setRange(0, 0);
        } else {
            progressBar_->setRange(0, 1);
            progressBar_->setValue(0);
        }
    } else {
        double fraction = 0;
        if (progressMaximum_ > 0 && std::isfinite(progressValue_)) {
            fraction = std::clamp(progressValue_ / progressMaximum_, 0.0, 1.0);
        }
        progressBar_->setRange(0, progressSteps);
        progressBar_->setValue(static_cast<int>(std::lround(fraction * progressSteps)));
    }
    keepEventLoopTurning(false);
}

void MainWindow::keepEventLoopTurning(bool now) {
    if (!busy_) {
        return;
    }
    if (now || !sinceEventsTurned_.isValid() || sinceEventsTurned_.elapsed() >= eventLoopInterval) {
        QCoreApplication::processEvents();
        sinceEventsTurned_.start();
    }
}

void MainWindow::setInputFile(const std::string& fileName, FileIcon icon) {
    inputFileName_->setFullText(qt(fileName));
    if (icon == FileIcon::none) {
        inputFileIcon_->clear();
    } else {
        inputFileIcon_->setPixmap(fileTypePixmap(icon, fileIconSize, devicePixelRatioF()));
    }
}

void MainWindow::setSequenceMenuItems(const std::vector<std::string>& titles) {
    reportPopup_->clear();
    for (std::size_t i = 0; i < titles.size(); ++i) {
        if (controller_ && controller_->isSequenceMenuSeparator(i)) {
            reportPopup_->insertSeparator(reportPopup_->count());
        } else {
            reportPopup_->addItem(qt(titles[i]));
        }
    }
    reportPopup_->setCurrentIndex(titles.empty() ? -1 : 0);
    updateControls();
}

int MainWindow::selectedSequenceIndex() const {
    return reportPopup_->currentIndex();
}

void MainWindow::setTrackRows(TrackKind kind, const std::vector<TrackRow>& rows) {
    QTableWidget* table = trackTable(kind);
    QSignalBlocker quiet(table);
    table->setRowCount(static_cast<int>(rows.size()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        auto* item = new QTableWidgetItem(qt(rows[i].trackName));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(rows[i].isChecked ? Qt::Checked : Qt::Unchecked);
        table->setItem(static_cast<int>(i), 0, item);
    }
}

void MainWindow::setAnalysisControlsEnabled(bool enabled) {
    analysisControlsEnabled_ = enabled;
    updateControls();
}

void MainWindow::setBusy(bool busy) {
    busy_ = busy;
    inputHold_.setHolding(busy);
    updateControls();
    if (busy) {
        keepEventLoopTurning(true);
        return;
    }
    if (closeWhenIdle_) {
        closeWhenIdle_ = false;
        QTimer::singleShot(0, this, &QWidget::close);
    }
    emit taskEnded();
}

bool MainWindow::sheetSwitchOn(SheetKey key) const {
    return sheetSwitches_[static_cast<std::size_t>(key)]->isChecked();
}

std::optional<std::filesystem::path> MainWindow::chooseInputFile() {
    return desktop_.chooseInputFile(this);
}

std::optional<std::string> MainWindow::chooseReportDestination(const std::string& reportName) {
    ArrowCursorScope arrow(busy_);
    return desktop_.chooseReportDestination(this, qt(reportName));
}

void MainWindow::openFinishedReport(const std::string& path) {
    if (!desktop_.openUrl(QUrl::fromLocalFile(qtPath(path)))) {
        showAlert("The report was saved",
                  "It is at \u201c" + path + "\u201d, but no application opened it.");
    }
}

void MainWindow::openThumbnailsFolder(const std::string& folder) {
    if (!desktop_.openUrl(QUrl::fromLocalFile(qtPath(folder)))) {
        showAlert("The report was saved", "Its thumbnails were kept in \u201c" + folder +
                                              "\u201d, but no file manager opened the folder.");
    }
}

bool MainWindow::openUrl(const std::string& url) {
    return desktop_.openUrl(QUrl(qt(url)));
}

void MainWindow::showMessageBox(QMessageBox::Icon icon, const QString& text,
                                const QString& informativeText, const QString& detailedText) {
    if (unattended_) {
        for (const QString& part : {text, informativeText, detailedText}) {
            if (!part.isEmpty()) {
                std::cerr << part.toStdString() << '\n';
            }
        }
        return;
    }
    const bool onWindow = isVisible();
    auto* box = new QMessageBox(icon, QApplication::applicationDisplayName(), text, QMessageBox::Ok,
                                onWindow ? this : nullptr);
    box->setInformativeText(informativeText);
    box->setDetailedText(detailedText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    if (onWindow) {
        // Like a sheet: the window is blocked, the caller goes on.
        box->setWindowModality(Qt::WindowModal);
        box->open();
    } else {
        box->setWindowModality(Qt::ApplicationModal);
        ArrowCursorScope arrow(busy_);
        box->exec();
    }
}

void MainWindow::showAlert(const std::string& messageText, const std::string& informativeText) {
    showMessageBox(QMessageBox::Information, qt(messageText), qt(informativeText));
}

void MainWindow::showDetailedAlert(const std::string& messageText,
                                   const std::string& informativeText,
                                   const std::string& detailText) {
    showMessageBox(QMessageBox::Information, qt(messageText), qt(informativeText), qt(detailText));
}

void MainWindow::showWarning(const std::string& line) {
    logDiagnostic(line);
    showMessageBox(QMessageBox::Warning, qt(line), {});
}

void MainWindow::showWarnings(const std::vector<std::string>& lines) {
    if (lines.size() == 1) {
        return showWarning(lines.front());
    }
    QStringList shown;
    for (const std::string& line : lines) {
        logDiagnostic(line);
        shown.push_back(qt(line));
    }
    showMessageBox(QMessageBox::Warning, shown.join(QStringLiteral("\n\n")), {});
}

bool MainWindow::askYesNo(const std::string& messageText, const std::string& informativeText) {
    return askQuestion(messageText, informativeText, tr("No").toStdString(),
                       tr("Yes").toStdString());
}

bool MainWindow::askQuestion(const std::string& messageText, const std::string& informativeText,
                             const std::string& firstButton, const std::string& secondButton) {
    if (unattended_) {
        std::cerr << messageText << "\nAnswered \u201c" << firstButton << "\u201d, the default\n";
        return false;
    }
    const bool onWindow = isVisible();
    QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), qt(messageText),
                    QMessageBox::NoButton, onWindow ? this : nullptr);
    box.setInformativeText(qt(informativeText));
    // One role for both keeps them in the order given on every desktop's button layout.
    QPushButton* first = box.addButton(qt(firstButton), QMessageBox::ActionRole);
    QPushButton* second = box.addButton(qt(secondButton), QMessageBox::ActionRole);
    box.setDefaultButton(first);
    box.setEscapeButton(first);
    box.setWindowModality(onWindow ? Qt::WindowModal : Qt::ApplicationModal);
    ArrowCursorScope arrow(busy_);
    box.exec();
    return box.clickedButton() == second;
}

void MainWindow::logDiagnostic(const std::string& line) {
    std::cout << line << '\n';
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (busy_) {
        // A task on the GUI thread cannot be cut short from here: a report is asked to stop at
        // its next step (it removes its working files), and the window closes once it ends.
        controller_->requestStop(StopRequest::quitting);
        closeWhenIdle_ = true;
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

} // namespace marrowvale
