#include "app/controller/AppController.h"

#include "FakeMainWindow.h"
#include "app/InputFile.h"
#include "app/SettingsState.h"
#include "app/controller/InterruptSignals.h"
#include "model/ModelContext.h"
#include "support/ScratchFolder.h"

#include <csignal>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <unistd.h>

using namespace marrowvale;
using marrowvale::testing::FakeMainWindow;
namespace fs = std::filesystem;

namespace {

using Names = std::vector<std::string>;

struct SequencePlan {
    std::string name;
    std::vector<std::int64_t> videoIndexes;
    std::vector<std::int64_t> audioIndexes;
};

struct BinPlan {
    std::string name;
    std::vector<SequencePlan> sequences;
    int clips = 0;
};

// Fills the store as a reader would.
void buildStore(ModelContext& store, const std::vector<BinPlan>& bins) {
    for (const BinPlan& binPlan : bins) {
        EventBin* bin = store.create<EventBin>(binPlan.name);
        for (int i = 0; i < binPlan.clips; ++i) {
            bin->clips.push_back(store.create<StoryElement>());
        }
        for (const SequencePlan& plan : binPlan.sequences) {
            Composition* composition = store.create<Composition>();
            composition->name = plan.name;
            for (std::int64_t index : plan.videoIndexes) {
                composition->videoTracks.push_back(
                    store.create<VideoTrack>(index, "V" + std::to_string(index), true));
            }
            for (std::int64_t index : plan.audioIndexes) {
                composition->audioTracks.push_back(
                    store.create<AudioTrack>(index, "A" + std::to_string(index), true));
            }
            bin->storyCompositions.push_back(composition);
        }
    }
}

class AppControllerTest : public ::testing::Test {
protected:
    AppControllerTest() {
        xmlFile_ = folder_ / "Reel 1.xml";
        std::ofstream(xmlFile_) << "<xmeml/>";
        otioFile_ = folder_ / "cut.otio";
        std::ofstream(otioFile_) << "{}";

        services_.processXMEML = [this](ModelContext& store, InputFile& file,
                                        ReaderHost& host) -> std::optional<InputType> {
            ++xmemlCalls_;
            readBytes_ = file.readAll();
            host.startProgress(200);
            host.updateProgress(10);
            if (duringImport_) {
                duringImport_();
            }
            buildStore(store, bins_);
            return InputType::XMEML;
        };
        services_.processOTIO = [this](ModelContext& store, const fs::path& file,
                                       std::optional<bool> dropFrame, double start, double end,
                                       ReaderHost& host) {
            ++otioCalls_;
            otioArguments_ = {file.string(), dropFrame.has_value(), start, end};
            host.setInputType(InputType::PProOTIO);
            buildStore(store, bins_);
        };
        services_.createXLSX = [this](ModelContext&, const ReportRequest& request,
                                      ReportHost& host) {
            requests_.push_back(request);
            if (auto destination = host.chooseReportDestination(request.reportName)) {
                host.openFinishedReport(*destination);
            }
        };
    }

    AppController& start() {
        controller_.emplace(window_, settings_, services_, folder_ / "support" / "Layouts.json");
        controller_->applicationDidFinishLaunching();
        return *controller_;
    }

    struct OtioArguments {
        std::string file;
        bool hint;
        double start;
        double end;
    };

    marrowvale::testing::ScratchFolder scratch_;
    const fs::path folder_ = scratch_.path();
    fs::path xmlFile_, otioFile_;
    FakeMainWindow window_;
    SettingsState settings_;
    AppServices services_;
    std::optional<AppController> controller_;
    std::vector<BinPlan> bins_;
    std::function<void()> duringImport_;
    int xmemlCalls_ = 0;
    int otioCalls_ = 0;
    std::string readBytes_;
    OtioArguments otioArguments_{};
    std::vector<ReportRequest> requests_;
};

} // namespace

TEST_F(AppControllerTest, OpensEachExtensionWithItsReader) {
    bins_ = {{"Bin", {{"Reel 1", {1}, {1}}, {"Reel 2", {}, {}}}}};
    AppController& app = start();
    EXPECT_EQ(window_.fileName, "");
    EXPECT_TRUE(window_.progressIndeterminate);

    app.openInputFiles({xmlFile_, otioFile_}); // only the first is opened
    EXPECT_EQ(xmemlCalls_, 1);
    EXPECT_EQ(otioCalls_, 0);
    EXPECT_EQ(readBytes_, "<xmeml/>");
    EXPECT_EQ(window_.fileName, "Reel 1.xml");
    EXPECT_EQ(window_.icon, FileIcon::xml);
    EXPECT_EQ(app.importState(), (ImportState{InputType::XMEML, ColumnSetKind::xmeml}));
    EXPECT_EQ(window_.progressMaximum, 200);
    EXPECT_EQ(window_.progress, 10.5);
    EXPECT_TRUE(window_.progressIndeterminate);
    EXPECT_FALSE(window_.progressAnimating);
    EXPECT_EQ(window_.sequenceMenu, (Names{"Reel 1", "Reel 2"}));
    EXPECT_EQ(window_.busyChanges, (std::vector<bool>{true, false}));

    app.openInputFiles({otioFile_});
    EXPECT_EQ(otioCalls_, 1);
    EXPECT_EQ(otioArguments_.file, otioFile_.string());
    EXPECT_FALSE(otioArguments_.hint);
    EXPECT_EQ(otioArguments_.start, 100.0);
    EXPECT_EQ(otioArguments_.end, 2000.0);
    EXPECT_EQ(app.importState(), (ImportState{InputType::PProOTIO, ColumnSetKind::otio}));
    EXPECT_EQ(window_.icon, FileIcon::otio);
    EXPECT_EQ(app.store().count<EventBin>(), 1u); // the first import's objects were cleared
    EXPECT_TRUE(window_.alerts.empty());

    // Capitals are another extension: an alert, no reader, the kind kept, no icon.
    fs::path capitals = folder_ / "cut.XML";
    std::ofstream(capitals) << "<xmeml/>";
    app.openInputFiles({capitals});
    EXPECT_EQ(xmemlCalls_, 1);
    ASSERT_EQ(window_.alerts.size(), 1u);
    EXPECT_EQ(window_.alerts[0].message, "The file \u201ccut.XML\u201d cannot be opened.");
    EXPECT_EQ(app.importState().columnSetKind, ColumnSetKind::otio);
    EXPECT_EQ(window_.icon, FileIcon::none);
    EXPECT_TRUE(window_.hasDiagnostic("wot the bloody hell is all this then?"));
    EXPECT_TRUE(window_.sequenceMenu.empty());
    EXPECT_EQ(app.store().count<EventBin>(), 0u);

    // An unreadable file: an alert with the system's reason, and the bar stops.
    app.openInputFiles({folder_ / "missing.xml"});
    ASSERT_EQ(window_.alerts.size(), 2u);
    EXPECT_EQ(window_.alerts[1].message,
              "The file \u201cmissing.xml\u201d couldn\u2019t be opened.");
    EXPECT_EQ(window_.alerts[1].informative, "No such file or directory");
    EXPECT_FALSE(window_.progressAnimating);
    EXPECT_TRUE(window_.hasDiagnostic("failed parsing the file"));
    EXPECT_EQ(xmemlCalls_, 1);
}

TEST_F(AppControllerTest, MissingReadersAndWriterAreReportedNotSilent) {
    services_ = {};
    AppController& app = start();
    app.openInputFiles({otioFile_});
    app.openInputFiles({xmlFile_});
    app.clickSaveButton();
    app.checkMediaFormats();
    ASSERT_EQ(window_.alerts.size(), 4u);
    EXPECT_EQ(window_.alerts[0].message, "This file type is not available");
    EXPECT_NE(window_.alerts[0].informative.find(".otio"), std::string::npos);
    EXPECT_NE(window_.alerts[1].informative.find(".xml"), std::string::npos);
    EXPECT_EQ(window_.alerts[2].message, "Reports are not available");
    EXPECT_EQ(window_.alerts[3].message, "No media library is available");
}

TEST_F(AppControllerTest, MenuListsEveryBinAndBinClips) {
    bins_ = {{"b2", {{"From b2", {1}, {}}}, 0},
             {"B10", {{"From B10", {}, {}}}, 2},
             {"a", {{"A one", {}, {}}, {"A two", {}, {}}}, 0},
             {"empty", {}, 0}};
    AppController& app = start();
    app.openInputFiles({xmlFile_});
    EXPECT_EQ(window_.sequenceMenu,
              (Names{"A one", "A two", "---", "From b2", "---", "From B10", "---", "Bin Clips"}));
    EXPECT_EQ(app.selectedTitle(), "A one");
    EXPECT_FALSE(window_.analysisControlsEnabled); // more than one item: no analysis yet

    // "Bin Clips" lists no tracks; "---" finds no sequence.
    window_.selectedSequence = 7;
    app.clickAnalyzeButton();
    EXPECT_EQ(app.selectedTitle(), "Bin Clips");
    EXPECT_TRUE(window_.videoRows.empty());
    window_.selectedSequence = 2;
    app.clickAnalyzeButton();
    EXPECT_TRUE(window_.hasDiagnostic("cannot find sequence"));
    EXPECT_TRUE(window_.analysisControlsEnabled);
}

TEST_F(AppControllerTest, SeparatorsAreToldByPositionNotByText) {
    bins_ = {{"a", {{"---", {1}, {}}}, 0}, {"b", {{"Reel", {}, {}}}, 1}};
    AppController& app = start();
    app.openInputFiles({xmlFile_});
    ASSERT_EQ(window_.sequenceMenu, (Names{"---", "---", "Reel", "---", "Bin Clips"}));
    const bool separators[] = {false, true, false, true, false, false};
    for (std::size_t i = 0; i < std::size(separators); ++i) {
        EXPECT_EQ(app.isSequenceMenuSeparator(i), separators[i]) << i;
    }
    window_.selectedSequence = 0;
    app.clickAnalyzeButton();
    EXPECT_EQ(app.selectedTitle(), "---");
    EXPECT_EQ(window_.videoRows.size(), 1u);

    // Opening another file forgets the old positions.
    bins_ = {{"a", {{"Only", {}, {}}}, 0}};
    app.openInputFiles({xmlFile_});
    EXPECT_FALSE(app.isSequenceMenuSeparator(1));
}

TEST_F(AppControllerTest, EmptyStoreAndSingleSequence) {
    AppController& app = start();
    app.openInputFiles({xmlFile_});
    EXPECT_TRUE(window_.hasDiagnostic("NO EVENTS"));
    EXPECT_TRUE(window_.sequenceMenu.empty());

    // Exactly one sequence: its tracks are listed at once, sorted by index, all ticked.
    bins_ = {{"Bin", {{"Only", {3, 1, 2}, {2, 1}}}}};
    app.openInputFiles({xmlFile_});
    EXPECT_EQ(window_.videoRows,
              (std::vector<TrackRow>{{"V1", true, 1}, {"V2", true, 2}, {"V3", true, 3}}));
    EXPECT_EQ(window_.audioRows.size(), 2u);
    EXPECT_EQ(window_.audioRows[0].trackName, "A1");
    EXPECT_TRUE(window_.analysisControlsEnabled);

    // None, then one checkbox: only that row stays ticked.
    app.setAllTracksChecked(TrackKind::video, false);
    EXPECT_FALSE(window_.videoRows[0].isChecked);
    app.setTrackChecked(TrackKind::video, 1, true);
    app.setTrackChecked(TrackKind::video, 99, true); // a stale row number is ignored
    EXPECT_EQ(app.trackRows(TrackKind::video)[1].isChecked, true);
    EXPECT_EQ(app.trackRows(TrackKind::video)[0].isChecked, false);

    app.applicationWillTerminate();
    EXPECT_EQ(app.store().count<Composition>(), 0u);
    EXPECT_EQ(app.store().count<VideoTrack>(), 0u);
}

TEST_F(AppControllerTest, SaveRequestCarriesSheetsOptionsNameAndTickedTracks) {
    bins_ = {{"Bin", {{"Reel 1", {1, 2}, {1, 2}}, {"Reel 2", {1}, {}}}}};
    AppController& app = start();
    app.openInputFiles({xmlFile_});
    app.clickAnalyzeButton();
    app.setTrackChecked(TrackKind::video, 1, false);
    app.setAllTracksChecked(TrackKind::audio, false);
    app.setTrackChecked(TrackKind::audio, 0, true);
    window_.switches[static_cast<std::size_t>(SheetKey::effects)] = true;
    window_.switches[static_cast<std::size_t>(SheetKey::summary)] = true;
    window_.savePanelAnswer = "/out/Reel 1.xlsx";

    app.clickSaveButton();
    ASSERT_EQ(requests_.size(), 1u);
    const ReportRequest& request = requests_[0];
    EXPECT_EQ(request.sequenceTitle, "Reel 1");
    EXPECT_EQ(request.reportName, "Reel 1 - Default Report");
    EXPECT_EQ(request.sheetKeys, (std::vector<SheetKey>{SheetKey::effects, SheetKey::summary}));
    EXPECT_EQ(request.options.flags.size(), 36u);
    EXPECT_FALSE(request.tracks.allTracks);
    EXPECT_EQ(request.tracks.videoTrackIndexes, (std::vector<std::int64_t>{1}));
    EXPECT_EQ(request.tracks.audioTrackIndexes, (std::vector<std::int64_t>{1}));
    EXPECT_EQ(request.importState.inputType, InputType::XMEML);
    EXPECT_EQ(window_.savePanelNames, (Names{"Reel 1 - Default Report"}));
    EXPECT_EQ(window_.openedReports, (Names{"/out/Reel 1.xlsx"}));

    // Every switch on, in order.
    window_.switches.fill(true);
    Names keyTexts;
    for (SheetKey key : app.makeReportRequest().sheetKeys) {
        keyTexts.emplace_back(sheetKeyText(key));
        EXPECT_EQ(sheetKeyFromText(keyTexts.back()), key);
    }
    EXPECT_EQ(keyTexts,
              (Names{"ignoreAudio", "markers", "generators", "transitions", "effects", "summary"}));

    // Another sequence chosen without analyzing: its own name, every track.
    window_.selectedSequence = 1;
    app.clickSaveButton();
    EXPECT_EQ(requests_.back().reportName, "Reel 2 - Default Report");
    EXPECT_TRUE(requests_.back().tracks.allTracks);
    EXPECT_EQ(app.selectedTitle(), "Reel 2");

    // No layout selected in the main window's menu.
    settings_.selectLayoutIndex(LayoutMenu::app, -1);
    struct NoSelection : SettingsState {
        int selectedLayoutIndex(LayoutMenu) const override { return -1; }
    } unselected;
    AppController other(window_, unselected, services_, std::nullopt);
    window_.selectedSequence = 0;
    EXPECT_EQ(other.makeReportRequest().reportName, " -  Report");
}

TEST_F(AppControllerTest, OpenAnalyzeAndSaveAreRefusedWhileATaskRuns) {
    bins_ = {{"Bin", {{"Reel 1", {1}, {}}}}};
    AppController& app = start();
    app.openInputFiles({xmlFile_});
    std::size_t binsBefore = 0;
    duringImport_ = [&] {
        EXPECT_TRUE(app.isBusy());
        binsBefore = app.store().count<EventBin>();
        app.openInputFiles({otioFile_});
        app.clickOpenFile();
        app.clickAnalyzeButton();
        app.clickSaveButton();
        EXPECT_EQ(app.store().count<EventBin>(), binsBefore);
    };
    window_.openPanelAnswer = otioFile_;
    app.openInputFiles({xmlFile_});
    EXPECT_EQ(otioCalls_, 0);
    EXPECT_TRUE(requests_.empty());
    EXPECT_FALSE(app.isBusy());

    // A report that tries to start an import while it runs is refused as well.
    duringImport_ = nullptr;
    AppController* reporting = nullptr;
    services_.createXLSX = [&](ModelContext& store, const ReportRequest&, ReportHost&) {
        EXPECT_TRUE(reporting->isBusy());
        reporting->openInputFiles({otioFile_});
        reporting->clickSaveButton();
        EXPECT_EQ(store.count<EventBin>(), 1u);
        requests_.emplace_back();
    };
    AppController second(window_, settings_, services_, std::nullopt);
    reporting = &second;
    second.openInputFiles({xmlFile_});
    second.clickSaveButton();
    EXPECT_EQ(otioCalls_, 0);
    EXPECT_EQ(requests_.size(), 1u); // the nested save did not run
}

TEST_F(AppControllerTest, ReaderExceptionsBecomeAlertsAndLeaveNoTimeline) {
    services_.processXMEML = [](ModelContext& store, InputFile&,
                                ReaderHost& host) -> std::optional<InputType> {
        store.create<EventBin>("half");
        host.showWarning("A Latin-1 name: caf\xE9.mov");
        throw std::runtime_error("out of memory");
    };
    AppController& app = start();
    app.openInputFiles({xmlFile_});
    ASSERT_EQ(window_.alerts.size(), 1u);
    EXPECT_EQ(window_.alerts[0].informative, "out of memory");
    EXPECT_EQ(app.store().count<EventBin>(), 0u);
    EXPECT_FALSE(app.isBusy());
    // What reaches the window is valid UTF-8, also the name of a file that does not exist.
    EXPECT_EQ(window_.warningBoxes,
              std::vector<std::vector<std::string>>{{"A Latin-1 name: caf\uFFFD.mov"}});
    app.openInputFiles({folder_ / "Reel \xFF.xml"});
    ASSERT_EQ(window_.alerts.size(), 2u);
    EXPECT_EQ(window_.alerts[1].message,
              "The file \u201cReel \uFFFD.xml\u201d couldn\u2019t be opened.");
}

TEST_F(AppControllerTest, AnImportsWarningsAreShownTogetherWhenItEnds) {
    bins_ = {{"Bin", {{"Reel 1", {1}, {1}}}}};
    AppController& app = start();
    duringImport_ = [this] {
        for (const char* line : {"one", "two", "three"}) {
            controller_->showWarning(line);
        }
        EXPECT_TRUE(window_.warningBoxes.empty());
    };
    app.openInputFiles({xmlFile_});
    // Outside an import, a warning is a box of its own.
    app.showWarning("after");
    EXPECT_EQ(window_.warningBoxes,
              (std::vector<std::vector<std::string>>{{"one", "two", "three"}, {"after"}}));
}

TEST_F(AppControllerTest, HelpActionsAndStartUpLayouts) {
    fs::create_directories(folder_ / "support");
    std::ofstream(folder_ / "support" / "Layouts.json")
        << "[" << LayoutsItem::makeNew("Dailies").toJson().dump() << "]";
    AppController& app = start();
    EXPECT_EQ(settings_.layoutMenuItems(LayoutMenu::app), (Names{"Dailies"}));
    EXPECT_EQ(window_.diagnostics.front().rfind("Loaded layoutsArray: [LayoutsItem(", 0), 0u);

    window_.urlOpens = false;
    app.emailSupport();
    ASSERT_EQ(window_.urls.size(), 2u);
    EXPECT_EQ(window_.urls[0].rfind("mailto:support@marrowvale.app?subject=Bug%20Report%20for%20"
                                    "Marrowvale%20%28version%20",
                                    0),
              0u);
    EXPECT_NE(window_.urls[0].find("&body=What%20went%20wrong%3F%0A%0A%0AAttached"),
              std::string::npos);
    EXPECT_EQ(window_.urls[1], "https://marrowvale.app/contact");
    EXPECT_EQ(AppController::supportSubject("Marrowvale", "2.1"),
              "Bug Report for Marrowvale (version 2.1)");
    EXPECT_EQ(AppController::percentEncoded("a&b=c é"), "a%26b%3Dc%20%C3%A9");

    app.showSettingsWindow();
    EXPECT_TRUE(settings_.settingsWindowShown());
}

TEST_F(AppControllerTest, TheReportNeverReplacesTheOpenedTimeline) {
    bins_ = {{"Bin", {{"Reel 1", {1}, {}}}}};
    AppController& app = start();
    app.openInputFiles({xmlFile_});
    fs::create_symlink(xmlFile_, folder_ / "link.xlsx");
    // The opened file however the save panel spells it: refused with an alert, nothing opened.
    const fs::path sameFile[] = {xmlFile_, folder_ / "." / "Reel 1.xml", folder_ / "link.xlsx"};
    for (const fs::path& destination : sameFile) {
        window_.alerts.clear();
        window_.savePanelAnswer = destination.string();
        app.clickSaveButton();
        ASSERT_EQ(window_.alerts.size(), 1u) << destination;
        EXPECT_EQ(window_.alerts[0].message,
                  "The report cannot replace the timeline it is made from");
        EXPECT_TRUE(window_.openedReports.empty()) << destination;
    }
    // Another file, new or existing, is the user's choice.
    window_.alerts.clear();
    std::ofstream(folder_ / "old.xlsx") << "old";
    for (const fs::path& destination : {folder_ / "Reel 1.xlsx", folder_ / "old.xlsx"}) {
        window_.savePanelAnswer = destination.string();
        app.clickSaveButton();
    }
    EXPECT_TRUE(window_.alerts.empty());
    EXPECT_EQ(window_.openedReports.size(), 2u);
}

TEST_F(AppControllerTest, AStopRequestReachesOnlyARunningReport) {
    bins_ = {{"Bin", {{"Reel 1", {1}, {}}}}};
    AppController& app = start();
    app.openInputFiles({xmlFile_});
    EXPECT_FALSE(app.requestStop(SIGINT)); // nothing would act on it

    AppController* reporting = nullptr;
    bool acted = false;
    services_.createXLSX = [&](ModelContext&, const ReportRequest&, ReportHost& host) {
        acted = reporting->requestStop(SIGTERM);
        ASSERT_NE(host.stopRequest(), nullptr);
        host.stopRequest()->check(); // the run unwinds as a report run does
    };
    AppController second(window_, settings_, services_, std::nullopt);
    reporting = &second;
    second.openInputFiles({xmlFile_});
    second.clickSaveButton();
    EXPECT_TRUE(acted);
    EXPECT_EQ(second.stopReason(), SIGTERM);
    EXPECT_TRUE(window_.alerts.empty()); // a stop is no failure

    // Quitting asks a running report to stop as well.
    AppController third(window_, settings_, services_, std::nullopt);
    third.applicationWillTerminate();
    EXPECT_EQ(third.stopReason(), StopRequest::quitting);
}

TEST_F(AppControllerTest, FurtherSignalsDoNotCutAStoppedReportsCleanUpShort) {
    bins_ = {{"Bin", {{"Reel 1", {1}, {}}}}};
    services_.createXLSX = [](ModelContext&, const ReportRequest&, ReportHost& host) {
        std::raise(SIGINT); // the run is asked to stop
        ASSERT_TRUE(host.stopRequest()->isRequested());
        // While it removes its working files, the user presses Ctrl-C again and a SIGTERM
        // follows.
        std::raise(SIGINT);
        std::raise(SIGTERM);
        std::fputs("working files removed\n", stderr);
        host.stopRequest()->check();
    };
    EXPECT_EXIT(
        {
            AppController& app = start();
            app.openInputFiles({xmlFile_});
            InterruptSignals signals(app);
            app.clickSaveButton();
            signals.raiseAgain();
        },
        ::testing::KilledBySignal(SIGINT), "working files removed");

    // Held signals wait for the front end: the first one ends the process when it says so.
    EXPECT_EXIT(
        {
            AppController& app = start();
            InterruptSignals signals(app);
            signals.holdUntilExit();
            std::raise(SIGTERM);
            std::raise(SIGINT);
            std::fprintf(stderr, "held %d\n", signals.received());
            signals.raiseAgain();
        },
        ::testing::KilledBySignal(SIGTERM), "held 15");
}
