#include "DovovevoZavUI/TimecodeTextField.h"

#include "StyleCodes.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace dovovevozav;

namespace {

// A dialog holding a field and a second widget to take the focus away, shown and active.
struct FieldWindow {
    QDialog dialog;
    TimecodeTextField* field = new TimecodeTextField(&dialog);
    QLineEdit* other = new QLineEdit(&dialog);

    explicit FieldWindow(std::optional<TimecodeProperties> properties) {
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(field);
        layout->addWidget(other);
        if (properties) {
            field->formatter()->setFrameRate(properties->frameRate);
            field->formatter()->setUpperLimit(properties->upperLimit);
            field->formatter()->setSubFramesBase(properties->subFramesBase);
        }
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        field->setFocus();
    }
};

// Whether any pixel of the widget is clearly red.
bool showsRed(QWidget& widget) {
    const QImage image = widget.grab().toImage();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor color = image.pixelColor(x, y);
            if (color.red() > 150 && color.green() < 100 && color.blue() < 100) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

TEST(TimecodeTextFieldTest, UnconfiguredFieldTakesAnyTextAsTyped) {
    FieldWindow window(std::nullopt);
    QTest::keyClicks(window.field, "ab;c.1");
    window.other->setFocus();
    EXPECT_EQ(window.field->text(), QStringLiteral("ab;c.1"));
}

TEST(TimecodeTextFieldTest, TypingFollowsTheRulesAndAnEndedEditShowsTheCanonicalText) {
    FieldWindow window{TimecodeProperties(TimecodeFrameRate::fps25)};
    QSignalSpy rejected(window.field, &QLineEdit::inputRejected);
    QTest::keyClicks(window.field, "1.2.3x.4");
    EXPECT_EQ(window.field->text(), QStringLiteral("1:2:3:4"));
    EXPECT_EQ(rejected.count(), 1);
    QTest::keyClick(window.field, Qt::Key_Return);
    EXPECT_EQ(window.field->text(), QStringLiteral("01:02:03:04"));

    // A pasted text goes through the same rules.
    window.field->clear();
    QApplication::clipboard()->setText(QStringLiteral("10.00.00.15"));
    window.field->paste();
    EXPECT_EQ(window.field->text(), QStringLiteral("10:00:00:15"));
}

TEST(TimecodeTextFieldTest, EscapeDiscardsTheEditKeepsTheFocusAndTheDialogOpen) {
    FieldWindow window{TimecodeProperties(TimecodeFrameRate::fps29_97d)};
    QTest::keyClicks(window.field, "1.0.0.0");
    QTest::keyClick(window.field, Qt::Key_Return);
    ASSERT_EQ(window.field->text(), QStringLiteral("01:00:00;00"));

    QTest::keyClick(window.field, Qt::Key_Backspace);
    QTest::keyClicks(window.field, "5");
    ASSERT_EQ(window.field->text(), QStringLiteral("01:00:00;05"));
    QTest::keyClick(window.field, Qt::Key_Escape);
    EXPECT_EQ(window.field->text(), QStringLiteral("01:00:00;00"));
    EXPECT_TRUE(window.field->hasFocus());
    EXPECT_TRUE(window.dialog.isVisible());
}

TEST(TimecodeTextFieldTest, ValidationStylingShowsWhileTheFieldIsNotEdited) {
    FieldWindow window{TimecodeProperties(TimecodeFrameRate::fps25)};
    window.field->formatter()->setShowsValidation(true);
    window.field->formatter()->setInvalidAttributes(styles::foreground(Qt::red));
    window.field->setText(QStringLiteral("01:00:00:99"));
    EXPECT_FALSE(showsRed(*window.field));
    window.other->setFocus();
    EXPECT_TRUE(showsRed(*window.field));
    window.field->setText(QStringLiteral("01:00:00:09"));
    EXPECT_FALSE(showsRed(*window.field));
}
