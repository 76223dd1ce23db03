#pragma once

#include "app/SettingsView.h"

#include <QWidget>
#include <array>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace marrowvale {

class LayoutEditor;
class LayoutNameDialog;

/// The settings window: a layouts tab (the layout menu with add, edit and remove, the 25
/// column checkboxes and the thumbnail width) and a times tab (the sequence and source time
/// displays, the sequence adjustments and the colour choice). It is the controller's settings
/// view, together with the main window's layout menu. Every change the user makes goes to the
/// layout editor, which saves it in "Layouts.json" at once; the times and the colour choice
/// are read at each save and belong to no layout.
class SettingsWindow : public QWidget, public SettingsView {
    Q_OBJECT

public:
    /// A settings window over its own controls and `appLayoutMenu`, the main window's layout
    /// menu; `parent` is the main window, which it belongs to.
    SettingsWindow(QComboBox& appLayoutMenu, QWidget* parent);

    /// Connects the controls to the layout editor and the time-display rule.
    void attach(LayoutEditor& editor);

    bool columnState(ColumnCheckbox checkbox) const override;
    void setColumnState(ColumnCheckbox checkbox, bool on) override;
    void setColumnEnabled(ColumnCheckbox checkbox, bool enabled) override;
    std::string thumbnailWidthText() const override;
    void setThumbnailWidthText(const std::string& text) override;
    void setThumbnailWidthEnabled(bool enabled) override;
    bool timeDisplayState(TimeGroup group, TimeDisplay display) const override;
    void setTimeDisplayState(TimeGroup group, TimeDisplay display, bool on) override;
    std::string adjustmentText(TimeDisplay display) const override;
    int colorChoiceRow() const override;
    void setLayoutMenuItems(LayoutMenu menu, const std::vector<std::string>& names) override;
    int selectedLayoutIndex(LayoutMenu menu) const override;
    void selectLayoutIndex(LayoutMenu menu, int index) override;
    void setEditAndRemoveEnabled(bool enabled) override;
    void showLayoutNameSheet(const std::string& name) override;
    void showSettingsWindow() override;

private:
    QWidget* buildLayoutsTab();
    QWidget* buildTimesTab();
    QComboBox& layoutMenu(LayoutMenu menu) const;
    QCheckBox* column(ColumnCheckbox checkbox) const;
    QCheckBox* timeDisplay(TimeGroup group, TimeDisplay display) const;

    QComboBox& layoutsAppPopup_;
    LayoutEditor* editor_ = nullptr;
    QTabWidget* settingsTabs_ = nullptr;
    QComboBox* layoutsSettingsPopup_ = nullptr;
    QPushButton* addLayoutButton_ = nullptr;
    QPushButton* editLayoutButton_ = nullptr;
    QPushButton* removeLayoutButton_ = nullptr;
    std::array<QCheckBox*, reportColumns.size()> columnCheckboxes_{};
    QComboBox* thumbnailWidthPopup_ = nullptr;
    std::array<QCheckBox*, 2 * timeDisplays.size()> timeDisplayCheckboxes_{};
    std::array<QLineEdit*, timeDisplays.size()> adjustmentFields_{};
    QButtonGroup* colorRadioButtons_ = nullptr;
    LayoutNameDialog* layoutNameWindow_ = nullptr;
};

} // namespace marrowvale
