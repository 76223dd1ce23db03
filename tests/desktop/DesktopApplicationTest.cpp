#include "desktop/DesktopApplication.h"

#include "ApplicationProcess.h"
#include "app/LayoutsFile.h"
#include "app/XMLContentError.h"
#include "app/controller/AppController.h"
#include "desktop/Desktop.h"
#include "desktop/MainWindow.h"
#include "desktop/SettingsWindow.h"
#include "desktop/SingleInstance.h"
#include "services/DefaultServices.h"
#include "support/ScratchFolder.h"
#include "support/WorkbookReader.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFileOpenEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMessageBox>
#include <QMouseEvent>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

using namespace marrowvale;
using namespace marrowvale::testing;
namespace fs = std::filesystem;

namespace {

// The desktop with set answers: no dialog waits and no program starts.
class FakeDesktop : public Desktop {
public:
    std::optional<fs::path> chooseInputFile(QWidget*) override { return inputFile; }
    std::optional<std::string> chooseReportDestination(QWidget*, const QString& name) override {
        savePanelNames.push_back(name.toStdString());
        return destination;
    }
    bool openUrl(const QUrl& url) override {
        opened.push_back(url.toString().toStdString());
        return opens;
    }

    std::optional<fs::path> inputFile;
    bool opens = true; // whether some program takes what is opened
    std::optional<std::string> destination;
    std::vector<std::string> savePanelNames;
    std::vector<std::string> opened;
};

nlohmann::json readJson(const fs::path& path) {
    std::ifstream in(path);
    return nlohmann::json::parse(in, nullptr, false);
}

class DesktopApplicationTest : public ::testing::Test {
protected:
    DesktopApplicationTest() {
        QApplication::setQuitOnLastWindowClosed(false);
        layoutsFile_ = folder_ / "data" / "Layouts.json";
        sample_ = fs::path(MARROWVALE_SOURCE_DIR) / "samples" / "demo-sequence.xml";
    }
    ~DesktopApplicationTest() override { application_.reset(); }

    DesktopApplication& start(AppServices services = defaultAppServices(nullptr)) {
        application_.emplace(desktop_, std::move(services), layoutsFile_);
        application_->launch();
        return *application_;
    }

    template <typename Widget>
    Widget* find(const char* name) {
        auto* widget = application_->mainWindow().findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    QCheckBox* column(const QString& title) {
        for (QCheckBox* box : application_->settingsWindow().findChildren<QCheckBox*>()) {
            if (box->text() == title) {
                return box;
            }
        }
        ADD_FAILURE() << title.toStdString();
        return nullptr;
    }

    // The alerts on the main window still waiting for the user.
    std::vector<QMessageBox*> alerts() {
        std::vector<QMessageBox*> shown;
        for (QMessageBox* box : application_->mainWindow().findChildren<QMessageBox*>()) {
            if (box->isVisible()) {
                shown.push_back(box);
            }
        }
        return shown;
    }

    std::vector<std::string> items(const char* menuName) {
        std::vector<std::string> titles;
        auto* menu = find<QComboBox>(menuName);
        for (int i = 0; i < menu->count(); ++i) {
            titles.push_back(menu->itemText(i).toStdString());
        }
        return titles;
    }

    void chooseLayout(const char* menuName, int index) {
        auto* menu = find<QComboBox>(menuName);
        menu->setCurrentIndex(index);
        emit menu->activated(index);
    }

    // Types `name` into the layout-name sheet and presses its OK.
    void nameLayout(const QString& name) {
        auto* field = find<QLineEdit>("layoutNameField");
        ASSERT_TRUE(field->isVisible());
        field->setText(name);
        find<QPushButton>("layoutOKButton")->click();
    }

    marrowvale::testing::ScratchFolder scratch_;
    const fs::path folder_ = scratch_.path();
    fs::path layoutsFile_;
    fs::path sample_;
    FakeDesktop desktop_;
    std::optional<DesktopApplication> application_;
};

} // namespace

TEST_F(DesktopApplicationTest, OpensAnalyzesAndReportsTheTickedTracks) {
    start();
    auto* open = find<QPushButton>("openFileButton");
    auto* analyze = find<QPushButton>("analyzeButton");
    auto* save = find<QPushButton>("saveFileButton");
    auto* bar = find<QProgressBar>("progressBar");
    EXPECT_FALSE(analyze->isEnabled());
    EXPECT_FALSE(save->isEnabled());

    // The open panel cancelled changes nothing; then the sample is chosen.
    open->click();
    EXPECT_EQ(find<QLabel>("inputFileName")->text(), "");
    desktop_.inputFile = sample_;
    open->click();
    EXPECT_EQ(find<QLabel>("inputFileName")->text(), "demo-sequence.xml");
    EXPECT_FALSE(find<QLabel>("inputFileIcon")->pixmap().isNull());
    EXPECT_EQ(items("reportPopup"), (std::vector<std::string>{"Demo Sequence", "", "Bin Clips"}));
    EXPECT_EQ(bar->maximum(), 1); // idle: still and empty
    EXPECT_EQ(bar->value(), 0);
    EXPECT_TRUE(analyze->isEnabled());
    EXPECT_FALSE(save->isEnabled());
    EXPECT_FALSE(find<QPushButton>("videoNoneButton")->isEnabled());

    analyze->click();
    auto* video = find<QTableWidget>("videoTracksTableView");
    auto* audio = find<QTableWidget>("audioTracksTableView");
    ASSERT_EQ(video->rowCount(), 2);
    ASSERT_EQ(audio->rowCount(), 2);
    EXPECT_EQ(video->item(1, 0)->text(), "Titles");
    EXPECT_EQ(audio->item(1, 0)->text(), "Music");
    EXPECT_TRUE(save->isEnabled());

    // None and a tick in the audio table; the titles track unticked by hand.
    find<QPushButton>("audioNoneButton")->click();
    EXPECT_EQ(audio->item(0, 0)->checkState(), Qt::Unchecked);
    audio->item(0, 0)->setCheckState(Qt::Checked);
    video->item(1, 0)->setCheckState(Qt::Unchecked);
    const AppController& controller = application_->controller();
    EXPECT_FALSE(controller.trackRows(TrackKind::video)[1].isChecked);
    EXPECT_TRUE(controller.trackRows(TrackKind::audio)[0].isChecked);
    EXPECT_FALSE(controller.trackRows(TrackKind::audio)[1].isChecked);

    const fs::path workbook = folder_ / "Demo.xlsx";
    desktop_.destination = workbook.string();
    save->click();
    EXPECT_TRUE(alerts().empty());
    EXPECT_EQ(desktop_.savePanelNames, std::vector<std::string>{"Demo Sequence - Default Report"});
    EXPECT_EQ(desktop_.opened, std::vector<std::string>{"file://" + workbook.string()});

    marrowvale::testing::WorkbookReader book(workbook);
    const std::string sheet = "All Reels";
    std::vector<std::string> clips;
    for (const auto& row : book.sheet(sheet)["rows"]) {
        clips.push_back(row[book.column(sheet, "Clip Name")]["v"].get<std::string>());
    }
    EXPECT_EQ(clips, (std::vector<std::string>{"Clip Name", "Harbour wide", "Harbour wide",
                                               "Market close-up", "Market close-up"}));
}

TEST_F(DesktopApplicationTest, LayoutsAndReportOptionsFollowTheSettingsWindow) {
    start();
    application_->controller().showSettingsWindow();
    ASSERT_TRUE(application_->settingsWindow().isVisible());
    EXPECT_FALSE(fs::exists(layoutsFile_)); // nothing is written before a change
    EXPECT_FALSE(column("Track")->isEnabled());
    EXPECT_FALSE(find<QPushButton>("removeLayoutButton")->isEnabled());

    // Add: a new layout with every column off, chosen in the settings menu only.
    find<QPushButton>("addLayoutButton")->click();
    nameLayout("Dailies");
    EXPECT_EQ(items("layoutsSettingsPopup"), (std::vector<std::string>{"Default", "Dailies"}));
    EXPECT_EQ(items("layoutsAppPopup"), (std::vector<std::string>{"Default", "Dailies"}));
    EXPECT_EQ(find<QComboBox>("layoutsSettingsPopup")->currentIndex(), 1);
    EXPECT_EQ(find<QComboBox>("layoutsAppPopup")->currentIndex(), 0);
    EXPECT_TRUE(column("Track")->isEnabled());
    EXPECT_FALSE(column("Track")->isChecked());
    auto* width = find<QComboBox>("thumbnailWidthPopup");
    EXPECT_TRUE(width->isEnabled());
    EXPECT_EQ(width->currentText(), "40");

    // Column ticks and the width are recorded in the chosen layout at once.
    column("Track")->click();
    column("Source In")->click();
    width->setEditText("-150");
    emit width->lineEdit()->editingFinished();
    nlohmann::json saved = readJson(layoutsFile_);
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0]["name"], "Dailies");
    EXPECT_EQ(saved[0]["trackColumnCheckbox"], true);
    EXPECT_EQ(saved[0]["srcInColumnCheckbox"], true);
    EXPECT_EQ(saved[0]["sceneColumnCheckbox"], false);
    EXPECT_EQ(saved[0]["thumbnailWidthPopup"], "150");

    // Times: the last source display unticked comes back; seconds alone is a choice.
    auto* sourceTimecode = find<QCheckBox>("hhmmssffCheckbox2");
    sourceTimecode->click();
    EXPECT_TRUE(sourceTimecode->isChecked());
    find<QCheckBox>("secondsCheckbox2")->click();
    sourceTimecode->click();
    EXPECT_FALSE(sourceTimecode->isChecked());
    find<QLineEdit>("framesAdjField")->setText("1.5");
    application_->settingsWindow().findChildren<QRadioButton*>().at(1)->click();
    find<QCheckBox>("markersSheetSwitch")->click();
    find<QCheckBox>("summarySheetSwitch")->click();

    chooseLayout("layoutsAppPopup", 1);
    ReportRequest request = application_->controller().makeReportRequest();
    EXPECT_EQ(request.sheetKeys, (std::vector<SheetKey>{SheetKey::markers, SheetKey::summary}));
    EXPECT_TRUE(request.options.isOn("track"));
    EXPECT_TRUE(request.options.isOn("srcIn"));
    EXPECT_FALSE(request.options.isOn("scene"));
    EXPECT_TRUE(request.options.isOn("reportSrcSeconds"));
    EXPECT_FALSE(request.options.isOn("reportSrcTimecode"));
    EXPECT_TRUE(request.options.isOn("reportSeqTimecode"));
    EXPECT_FALSE(request.options.isOn("useColorText"));
    EXPECT_EQ(request.options.flags.size(), 36u);
    EXPECT_EQ(request.options.framesAdjustment, 1.5);
    EXPECT_EQ(request.options.thumbnailWidth, 150);
    EXPECT_EQ(request.reportName, " - Dailies Report");

    // Rename keeps the place; a second layout of the taken name is numbered.
    find<QPushButton>("editLayoutButton")->click();
    EXPECT_EQ(find<QLineEdit>("layoutNameField")->text(), "Dailies");
    nameLayout("Rushes");
    find<QPushButton>("addLayoutButton")->click();
    nameLayout("Rushes");
    EXPECT_EQ(items("layoutsAppPopup"), (std::vector<std::string>{"Default", "Rushes", "Rushes1"}));
    saved = readJson(layoutsFile_);
    ASSERT_EQ(saved.size(), 2u);
    EXPECT_EQ(saved[0]["name"], "Rushes");
    EXPECT_EQ(saved[0]["trackColumnCheckbox"], true);

    // The main window's menu chooses for both windows, even with the settings window closed.
    application_->settingsWindow().close();
    chooseLayout("layoutsAppPopup", 1);
    EXPECT_EQ(find<QComboBox>("layoutsSettingsPopup")->currentIndex(), 1);
    EXPECT_TRUE(column("Track")->isChecked());
    EXPECT_EQ(width->currentText(), "150");

    // Remove: gone from both menus and the file; the built-in layout is locked again.
    find<QPushButton>("removeLayoutButton")->click();
    EXPECT_EQ(items("layoutsSettingsPopup"), (std::vector<std::string>{"Default", "Rushes1"}));
    EXPECT_EQ(items("layoutsAppPopup"), (std::vector<std::string>{"Default", "Rushes1"}));
    saved = readJson(layoutsFile_);
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0]["name"], "Rushes1");
    EXPECT_FALSE(column("Track")->isEnabled());
    EXPECT_TRUE(column("Track")->isChecked());
    EXPECT_FALSE(column("Row Numbers")->isChecked());
    EXPECT_FALSE(width->isEnabled());

    // A new start lists the layouts kept in the file.
    application_.reset();
    start();
    EXPECT_EQ(items("layoutsAppPopup"), (std::vector<std::string>{"Default", "Rushes1"}));
}

TEST_F(DesktopApplicationTest, AlertsQuestionsAndLinksGoThroughTheWindow) {
    start();
    const fs::path page = folder_ / "page.xml";
    std::ofstream(page) << "<html><body>not a timeline</body></html>";

    // A file the desktop hands over takes the open road; its problem is a sheet on the window.
    QFileOpenEvent handOver(QString::fromStdString(page.string()));
    QCoreApplication::sendEvent(qApp, &handOver);
    std::vector<QMessageBox*> shown = alerts();
    ASSERT_EQ(shown.size(), 1u);
    XMLContentError error(XMLContentError::invalidXMEML);
    EXPECT_EQ(shown[0]->text().toStdString(), error.errorDescription());
    EXPECT_EQ(shown[0]->informativeText().toStdString(), error.recoverySuggestion());
    EXPECT_EQ(shown[0]->windowModality(), Qt::WindowModal);
    EXPECT_EQ(find<QComboBox>("reportPopup")->count(), 0);
    EXPECT_FALSE(find<QPushButton>("analyzeButton")->isEnabled());
    shown[0]->accept();

    // What the parser found is the alert's detailed text.
    const fs::path notes = folder_ / "notes.xml";
    std::ofstream(notes) << "Just some notes.";
    application_->openFiles({notes});
    shown = alerts();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0]->text(), "There is a problem with this XMEML");
    EXPECT_EQ(shown[0]->informativeText(), "Document is empty");
    EXPECT_EQ(shown[0]->detailedText(), "The file is not an XML file.");
    shown[0]->accept();

    // An import's warnings, however many, wait in one box that lists them all.
    const fs::path rates = folder_ / "rates.xml";
    std::ofstream ratesFile(rates);
    ratesFile << "<xmeml>";
    for (int timebase = -1; timebase >= -7; --timebase) {
        ratesFile << "<sequence><media><video><format><samplecharacteristics><rate><timebase>"
                  << timebase << "</timebase></rate></samplecharacteristics></format></video>"
                  << "</media></sequence>";
    }
    ratesFile << "</xmeml>";
    ratesFile.close();
    application_->openFiles({rates});
    shown = alerts();
    ASSERT_EQ(shown.size(), 1u);
    const QStringList lines = shown[0]->text().split("\n\n");
    ASSERT_EQ(lines.size(), 6);
    EXPECT_TRUE(lines[0].startsWith("A sequence\u2019s rate (timebase -1)"))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[4].startsWith("A sequence\u2019s rate (timebase -5)"))
        << lines[4].toStdString();
    EXPECT_TRUE(lines[5].startsWith("More sequences\u2019 rates")) << lines[5].toStdString();
    shown[0]->accept();

    // The two-button question: the buttons in the order given, the first the default.
    std::vector<QString> buttons;
    bool defaultFirst = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        for (QAbstractButton* button : box->buttons()) {
            buttons.push_back(button->text());
        }
        defaultFirst = box->defaultButton() == box->buttons().at(0);
        box->buttons().at(1)->click();
    });
    EXPECT_TRUE(application_->controller().askQuestion(
        "Does this timeline use Non-Drop or Drop Frame timecode?", "", "Non-Drop Frame",
        "Drop Frame"));
    EXPECT_EQ(buttons, (std::vector<QString>{"Non-Drop Frame", "Drop Frame"}));
    EXPECT_TRUE(defaultFirst);

    // The help menu opens its pages and the support mail through the desktop.
    for (QAction* action : application_->mainWindow().findChildren<QAction*>()) {
        QString title = action->text();
        if (title.contains("Help") || title.contains("Website") || title.contains("Support")) {
            action->trigger();
        }
    }
    ASSERT_EQ(desktop_.opened.size(), 3u);
    EXPECT_EQ(desktop_.opened[2].rfind("mailto:", 0), 0u);
}

TEST_F(DesktopApplicationTest, InputIsHeldOffWhileAnImportRuns) {
    AppServices services = defaultAppServices(nullptr);
    AppServices::XMEMLReader reader = services.processXMEML;
    bool openEnabled = true;
    bool timerFired = false;
    bool closedDuringImport = true;
    auto* markers = static_cast<QCheckBox*>(nullptr);
    services.processXMEML = [&](ModelContext& store, InputFile& file, ReaderHost& host) {
        openEnabled =
            application_->mainWindow().findChild<QPushButton*>("openFileButton")->isEnabled();
        QTimer::singleShot(0, [&] { timerFired = true; });
        // A click on a switch and a close of the window while the reader works.
        QPoint centre(8, markers->height() / 2); // on the box itself
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QCoreApplication::postEvent(
                markers, new QMouseEvent(type, centre, markers->mapToGlobal(centre), Qt::LeftButton,
                                         Qt::LeftButton, Qt::NoModifier));
        }
        closedDuringImport = application_->mainWindow().close();
        host.startProgress(100);
        for (int step = 0; step < 10; ++step) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            host.updateProgress(10);
        }
        return reader(store, file, host);
    };
    start(std::move(services));
    markers = find<QCheckBox>("markersSheetSwitch");
    application_->openFiles({sample_});

    EXPECT_FALSE(openEnabled);
    EXPECT_TRUE(timerFired);
    EXPECT_FALSE(closedDuringImport);
    QCoreApplication::processEvents();
    EXPECT_FALSE(markers->isChecked());
    EXPECT_TRUE(find<QPushButton>("openFileButton")->isEnabled());
    EXPECT_FALSE(application_->mainWindow().isVisible()); // closed once the import ended
}

TEST_F(DesktopApplicationTest, ClosingTheWindowDuringAReportStopsItAndThenCloses) {
    AppServices services = defaultAppServices(nullptr);
    AppServices::ReportWriter writer = services.createXLSX;
    bool closedDuringReport = true;
    std::vector<std::string> enabledDuringReport;
    services.createXLSX = [&](ModelContext& store, const ReportRequest& request, ReportHost& host) {
        for (const char* name : {"openFileButton", "analyzeButton", "saveFileButton"}) {
            if (find<QPushButton>(name)->isEnabled()) {
                enabledDuringReport.push_back(name);
            }
        }
        for (QAction* action : application_->mainWindow().findChildren<QAction*>()) {
            if (action->text().startsWith("&Open") || action->text().startsWith("&Save")) {
                if (action->isEnabled()) {
                    enabledDuringReport.push_back(action->text().toStdString());
                }
            }
        }
        closedDuringReport = application_->mainWindow().close();
        writer(store, request, host);
    };
    start(std::move(services));
    application_->openFiles({sample_});
    find<QPushButton>("analyzeButton")->click();
    desktop_.destination = (folder_ / "Stopped.xlsx").string();
    find<QPushButton>("saveFileButton")->click();

    EXPECT_EQ(enabledDuringReport, std::vector<std::string>{});
    EXPECT_FALSE(closedDuringReport);
    EXPECT_NE(application_->controller().stopReason(), 0);
    EXPECT_FALSE(fs::exists(folder_ / "Stopped.xlsx"));
    EXPECT_TRUE(alerts().empty());
    EXPECT_TRUE(desktop_.opened.empty());
    EXPECT_FALSE(application_->mainWindow().isVisible());
}

TEST_F(DesktopApplicationTest, ASavedReportOpensWithItsKeptThumbnailsOrSaysWhereItIs) {
    // The sample with its first movie made here, so that thumbnails are made and can be kept.
    const fs::path media = folder_ / "media";
    fs::create_directories(media);
    const std::string movie = "ffmpeg -nostdin -hide_banner -loglevel error -y -f lavfi -i "
                              "testsrc=size=32x24:rate=25 -t 16 -c:v mpeg4 '" +
                              (media / "harbour_wide.mov").string() + "'";
    ASSERT_EQ(std::system(movie.c_str()), 0);
    std::stringstream sample;
    sample << std::ifstream(sample_).rdbuf();
    std::string xml = sample.str();
    const std::string rushes = "file://localhost/Volumes/Rushes/Day%2001/";
    xml.replace(xml.find(rushes), rushes.size(), "file://localhost" + media.string() + "/");
    const fs::path timeline = folder_ / "demo.xml";
    std::ofstream(timeline) << xml;
    LayoutsItem keep = LayoutsItem::makeNew("Thumbnails kept");
    keep.thumbnailsColumnCheckbox = true;
    keep.keepThumbnailsCheckbox = true;
    LayoutsFile(layoutsFile_).save({keep});

    const fs::path workbook = folder_ / "Demo.xlsx";
    const fs::path thumbnails = folder_ / "Demo Thumbnails";
    auto url = [](const fs::path& path) {
        return QUrl::fromLocalFile(qtPath(path)).toString().toStdString();
    };
    const std::string notOpened =
        "It is at \u201c" + workbook.string() + "\u201d, but no application opened it.";
    const std::string folderNotOpened = "Its thumbnails were kept in \u201c" + thumbnails.string() +
                                        "\u201d, but no file manager opened the folder.";
    const struct {
        int layout;
        bool opens;
        std::vector<std::string> opened;
        std::vector<std::string> told;
    } cases[] = {
        {1, true, {url(workbook), url(thumbnails)}, {}},
        {1, false, {url(workbook), url(thumbnails)}, {notOpened, folderNotOpened}},
        {0, false, {url(workbook)}, {notOpened}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.layout * 2 + c.opens);
        fs::remove_all(thumbnails);
        application_.reset();
        desktop_.opened.clear();
        desktop_.opens = c.opens;
        desktop_.destination = workbook.string();
        start();
        application_->openFiles({timeline});
        chooseLayout("layoutsAppPopup", c.layout);
        find<QPushButton>("analyzeButton")->click();
        find<QPushButton>("saveFileButton")->click();

        EXPECT_EQ(desktop_.opened, c.opened);
        std::vector<std::string> told;
        for (QMessageBox* box : alerts()) {
            EXPECT_EQ(box->text(), "The report was saved");
            told.push_back(box->informativeText().toStdString());
            box->accept();
        }
        EXPECT_EQ(told, c.told);
        EXPECT_TRUE(fs::exists(workbook));
        EXPECT_EQ(fs::exists(thumbnails) && !fs::is_empty(thumbnails), c.layout == 1);
    }
}

TEST_F(DesktopApplicationTest, LongNamesAreCutOrElidedAndNeverWidenTheWindow) {
    std::string accents;
    for (int i = 0; i < 300; ++i) {
        accents += "\u00e9";
    }
    LayoutsFile(layoutsFile_)
        .save({LayoutsItem::makeNew(std::string(1'000'000, 'x')), LayoutsItem::makeNew(accents)});
    // Said at start-up, before the window shows.
    QString warning;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        warning = box->text();
        box->accept();
    });
    start();
    EXPECT_TRUE(warning.contains("names 2 layouts longer than 255 characters"))
        << warning.toStdString();

    const std::vector<LayoutsItem>& layouts = application_->controller().layoutEditor().layouts();
    ASSERT_EQ(layouts.size(), 2u);
    EXPECT_EQ(layouts[0].name, std::string(255, 'x'));
    EXPECT_EQ(layouts[1].name, accents.substr(0, 2 * 255)); // whole characters of two bytes
    for (const char* menuName : {"layoutsAppPopup", "layoutsSettingsPopup"}) {
        auto* menu = find<QComboBox>(menuName);
        for (int item : {1, 2}) {
            const QString shown = menu->itemText(item);
            EXPECT_LT(shown.size(), 60) << menuName;
            EXPECT_TRUE(shown.contains(QChar(0x2026))) << menuName;
            EXPECT_EQ(menu->itemData(item, Qt::ToolTipRole).toString().toStdString(),
                      layouts[static_cast<std::size_t>(item) - 1].name);
        }
    }
    EXPECT_EQ(find<QLineEdit>("layoutNameField")->maxLength(), 255);

    // A timeline's long name is elided in the middle to the room the window has, whatever the
    // width, and shown whole in the tooltip.
    const std::string longName = std::string(226, 'n') + ".xml";
    fs::copy_file(sample_, folder_ / longName);
    MainWindow& window = application_->mainWindow();
    const int width = window.width();
    application_->openFiles({folder_ / longName});
    turnEventLoop(10);
    auto* label = find<QLabel>("inputFileName");
    EXPECT_EQ(items("reportPopup"), (std::vector<std::string>{"Demo Sequence", "", "Bin Clips"}));
    EXPECT_EQ(window.width(), width);
    EXPECT_TRUE(label->text().contains(QChar(0x2026))) << label->text().toStdString();
    EXPECT_TRUE(label->text().endsWith(".xml"));
    EXPECT_EQ(label->toolTip().toStdString(), longName);
    window.resize(40 * static_cast<int>(longName.size()), window.height());
    turnEventLoop(10);
    EXPECT_EQ(label->text().toStdString(), longName);
    EXPECT_LT(window.minimumSizeHint().width(), width); // the user can narrow it again
    window.resize(width, window.height());
    EXPECT_TRUE(label->text().contains(QChar(0x2026)));
}

TEST_F(DesktopApplicationTest, ALaterStartHandsItsFilesToTheRunningApplication) {
    start();
    const QString socket = SingleInstance::socketPath(qtPath(folder_));
    // An application listening already keeps its socket; one that ended without closing it
    // loses it.
    {
        QLocalServer running;
        ASSERT_TRUE(running.listen(socket));
        EXPECT_FALSE(SingleInstance(socket).listen());
    }
    leaveSocketBehind(socket);
    SingleInstance instance(socket, std::chrono::milliseconds(200));
    ASSERT_TRUE(instance.listen());
    application_->acceptHandOvers(instance);

    // Peers that send garbage, half a message or nothing are dropped and change nothing.
    for (const QByteArray& bytes :
         {QByteArray("garbage"), QByteArray("marrowvale-open 40\n/x"), QByteArray()}) {
        QLocalSocket peer;
        peer.connectToServer(socket);
        ASSERT_TRUE(peer.waitForConnected(1000));
        peer.write(bytes);
        QDeadlineTimer deadline(10000);
        while (peer.state() != QLocalSocket::UnconnectedState && !deadline.hasExpired()) {
            turnEventLoop(10);
        }
        EXPECT_EQ(peer.state(), QLocalSocket::UnconnectedState) << bytes.toStdString();
        EXPECT_TRUE(peer.readAll().isEmpty());
    }
    turnEventLoop(10);
    EXPECT_EQ(find<QLabel>("inputFileName")->text(), "");

    // Another start of the application, given a path relative to its own folder, hands it over
    // and ends; the window comes to the front with the file open.
    application_->mainWindow().showMinimized();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_RUNTIME_DIR", qtPath(folder_));
    environment.insert("XDG_DATA_HOME", qtPath(folder_ / "data"));
    ChildRun second = runApplication({"demo-sequence.xml"}, environment, sample_.parent_path());
    EXPECT_TRUE(second.finished);
    EXPECT_EQ(second.exitCode, 0) << second.err;
    turnEventLoop(10);
    EXPECT_EQ(find<QLabel>("inputFileName")->text(), "demo-sequence.xml");
    EXPECT_EQ(items("reportPopup").front(), "Demo Sequence");
    EXPECT_FALSE(application_->mainWindow().isMinimized());
}

TEST_F(DesktopApplicationTest, AFileHandedOverWhileAQuestionIsOpenOpensOnceItIsAnswered) {
    AppServices services = defaultAppServices(nullptr);
    AppServices::XMEMLReader reader = services.processXMEML;
    int imports = 0;
    services.processXMEML = [&](ModelContext& store, InputFile& file, ReaderHost& host) {
        ++imports;
        return reader(store, file, host);
    };
    start(std::move(services));
    SingleInstance instance(SingleInstance::socketPath(qtPath(folder_)));
    ASSERT_TRUE(instance.listen());
    application_->acceptHandOvers(instance);
    // Handed over by its bytes, relative to the later start's folder: the name is not UTF-8.
    const std::string badName = "bad\xffname.xml";
    fs::copy_file(sample_, folder_ / badName);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_RUNTIME_DIR", qtPath(folder_));
    environment.insert("XDG_DATA_HOME", qtPath(folder_ / "data"));

    // The later start comes while the timeline being opened asks about drop-frame.
    ChildRun second;
    int importsWhileAsked = -1;
    QTimer question;
    question.callOnTimeout([&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            return;
        }
        question.stop();
        second = runApplicationOnBytes({badName}, environment, folder_);
        importsWhileAsked = imports;
        box->buttons().at(1)->click();
    });
    question.start(10);
    application_->openFiles(
        {fs::path(MARROWVALE_SOURCE_DIR) / "samples" / "drop-frame-question.otio"});
    EXPECT_TRUE(second.finished);
    EXPECT_EQ(second.exitCode, 0) << second.err;
    EXPECT_EQ(importsWhileAsked, 0);

    // Once the import has ended, the handed-over file opens, once, its name shown with U+FFFD.
    turnEventLoop(50);
    EXPECT_EQ(imports, 1);
    auto* label = find<QLabel>("inputFileName");
    EXPECT_EQ(label->text().toStdString(), "bad\uFFFDname.xml");
    EXPECT_EQ(items("reportPopup"), (std::vector<std::string>{"Demo Sequence", "", "Bin Clips"}));

    // While an alert waits on the window, a file handed over waits too; a later one replaces it.
    const fs::path notes = folder_ / "notes.xml";
    std::ofstream(notes) << "Just some notes.";
    application_->openFiles({notes});
    ASSERT_EQ(alerts().size(), 1u);
    application_->openHandedOverFiles({folder_ / badName});
    application_->openHandedOverFiles({sample_});
    turnEventLoop(50);
    EXPECT_EQ(imports, 2);
    alerts().front()->accept();
    turnEventLoop(50);
    EXPECT_EQ(imports, 3);
    EXPECT_EQ(label->text().toStdString(), "demo-sequence.xml");
}

TEST_F(DesktopApplicationTest, AScreenshotRunTakesEachDialogsDefaultAndLeavesNothingBehind) {
    // An unusable layouts file and a timeline that asks whether it counts drop-frame, named by
    // bytes that are not UTF-8.
    const fs::path data = folder_ / "data";
    fs::create_directories(data / "Marrowvale");
    std::ofstream(data / "Marrowvale" / "Layouts.json") << R"([{"name": 1}])";
    const fs::path timeline = folder_ / "Reel\xff 3.otio";
    fs::copy_file(fs::path(MARROWVALE_SOURCE_DIR) / "samples" / "drop-frame-question.otio",
                  timeline);
    const fs::path temporary = folder_ / "tmp";
    fs::create_directories(temporary);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("XDG_RUNTIME_DIR");
    environment.insert("TMPDIR", qtPath(temporary));
    environment.insert("XDG_DATA_HOME", qtPath(data));

    const fs::path picture = folder_ / "window.png";
    ChildRun run = runApplicationOnBytes({"--screenshot", picture.string(), timeline.string()},
                                         environment, folder_);
    ASSERT_TRUE(run.finished) << run.err;
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(fs::exists(picture));
    EXPECT_NE(run.err.find("No saved layouts are available."), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("Does this timeline use Non-Drop or Drop Frame timecode?\n"
                           "Answered \u201cNon-Drop Frame\u201d, the default"),
              std::string::npos)
        << run.err;
    // Qt's runtime folder, made for want of XDG_RUNTIME_DIR, is gone again.
    EXPECT_TRUE(fs::is_empty(temporary));
}
