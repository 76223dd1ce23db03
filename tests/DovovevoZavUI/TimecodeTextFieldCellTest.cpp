#include "DovovevoZavUI/TimecodeTextFieldCell.h"

#include "DovovevoZavUI/TimecodeTextField.h"

#include <QApplication>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

using namespace dovovevozav;

TEST(TimecodeTextFieldCellTest, CellsShowCanonicalTextAndEditWithTheFieldRules) {
    QStandardItemModel model(1, 1);
    model.setData(model.index(0, 0), QStringLiteral("1:0:0:0"));
    QTableView view;
    view.setModel(&model);
    auto* cell = new TimecodeTextFieldCell(&view);
    cell->formatter()->setFrameRate(TimecodeFrameRate::fps29_97d);
    cell->formatter()->setUpperLimit(TimecodeUpperLimit::max24Hours);
    cell->formatter()->setSubFramesBase(TimecodeSubFramesBase::max80SubFrames);
    view.setItemDelegate(cell);
    view.show();
    QApplication::setActiveWindow(&view);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    EXPECT_EQ(cell->displayText(model.data(model.index(0, 0)), QLocale()),
              QStringLiteral("01:00:00;00"));

    const auto typeIntoCell = [&](const char* keys, Qt::Key end) {
        view.edit(model.index(0, 0));
        auto* editor = view.findChild<TimecodeTextField*>();
        if (editor == nullptr) {
            ADD_FAILURE() << "no editor";
            return;
        }
        editor->selectAll();
        QTest::keyClicks(editor, keys);
        QTest::keyClick(editor, end);
        QApplication::processEvents();
    };
    // Partial input is normalised for the rate, a refused key is dropped, Return commits.
    typeIntoCell("2.0a.0.1", Qt::Key_Return);
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), QStringLiteral("02:00:00;01"));
    // Escape closes the editor and keeps the value.
    typeIntoCell("3.0.0.0", Qt::Key_Escape);
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), QStringLiteral("02:00:00;01"));
}
