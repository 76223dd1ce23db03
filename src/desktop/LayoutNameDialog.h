#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace marrowvale {

/// The layout-name sheet: one name field with OK and Cancel, window-modal on the settings
/// window. OK hands the name on (the layout editor adds or renames); Cancel, or closing the
/// sheet, changes nothing.
class LayoutNameDialog : public QDialog {
    Q_OBJECT

public:
    explicit LayoutNameDialog(QWidget* settingsWindow);

    /// Opens the sheet with `name` in its field, selected for typing over.
    void ask(const QString& name);

    /// The name in the field.
    QString name() const;

private:
    QLineEdit* layoutNameField_;
};

} // namespace marrowvale
