#pragma once

#include <QWidget>

class QVBoxLayout;

/// One window showing each timecode entry control, a titled section per control.
class TimecodeControlsWindow : public QWidget {
    Q_OBJECT

public:
    explicit TimecodeControlsWindow(QWidget* parent = nullptr);

private:
    // Adds a titled section below the others.
    void addSection(const QString& title, QWidget* content);

    QWidget* textFieldSection();
    QWidget* tableCellSection();
    QWidget* timecodeTextSection();
    QWidget* timecodeStateSection();
    QWidget* timecodeFieldSection();

    QVBoxLayout* sections_;
};
