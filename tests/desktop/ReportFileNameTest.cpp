#include "desktop/ReportFileName.h"

#include <gtest/gtest.h>

using namespace marrowvale;

TEST(ReportFileName, TheSavePanelProposesAndKeepsWorkbooks) {
    const struct {
        QString reportName;
        QString proposed;
    } proposals[] = {
        {"Demo Sequence - Default Report", "Demo Sequence - Default Report.xlsx"},
        {"Reel 1/2 - Dailies Report", "Reel 1-2 - Dailies Report.xlsx"},
        {"../../etc - Default Report", "..-..-etc - Default Report.xlsx"},
    };
    for (const auto& c : proposals) {
        EXPECT_EQ(suggestedReportFileName(c.reportName), c.proposed);
    }

    const struct {
        QString chosen;
        QString saved;
    } choices[] = {
        {"/home/a/Demo.xlsx", "/home/a/Demo.xlsx"},
        {"/home/a/Demo.XLSX", "/home/a/Demo.XLSX"},
        {"/home/a/Demo", "/home/a/Demo.xlsx"},
        {"/home/a/Reel 1.final", "/home/a/Reel 1.final.xlsx"},
        {"/home/a/Demo.xlsx.bak", "/home/a/Demo.xlsx.bak.xlsx"},
        {"/home/a/Demo.", "/home/a/Demo.xlsx"},
        {"/home/a.b/Demo", "/home/a.b/Demo.xlsx"},
    };
    for (const auto& c : choices) {
        EXPECT_EQ(workbookPath(c.chosen), c.saved) << c.chosen.toStdString();
    }
}
