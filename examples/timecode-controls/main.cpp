// Shows every timecode entry control in one window.
//   timecode-controls                      opens the window
//   timecode-controls --screenshot FILE    renders the window into a PNG file and quits

#include "TimecodeControlsWindow.h"

#include "DovovevoZavUI/TimecodeField.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QPixmap>
#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription("Shows every timecode entry control in one window.");
    parser.addHelpOption();
    const QCommandLineOption screenshot("screenshot", "Renders the window into a PNG file.",
                                        "file");
    parser.addOption(screenshot);
    parser.process(application);

    TimecodeControlsWindow window;
    window.resize(520, window.sizeHint().height());
    window.show();
    if (!parser.isSet(screenshot)) {
        return application.exec();
    }
    // Leave the text fields so that they show their validation styling, and put the focus in
    // the first timecode field to show its highlight.
    window.setFocus();
    if (auto* field = window.findChild<dovovevozav::TimecodeField*>()) {
        field->setFocusedComponent(dovovevozav::TimecodeComponent::minutes);
    }
    QApplication::processEvents();
    const QString file = parser.value(screenshot);
    if (!window.grab().save(file, "PNG")) {
        std::fprintf(stderr, "timecode-controls: cannot write %s\n", qPrintable(file));
        return 1;
    }
    return 0;
}
