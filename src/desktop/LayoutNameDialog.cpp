#include "desktop/LayoutNameDialog.h"

#include "app/LayoutsFile.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace marrowvale {

LayoutNameDialog::LayoutNameDialog(QWidget* settingsWindow)
    : QDialog(settingsWindow), layoutNameField_(new QLineEdit) {
    setObjectName("layoutNameWindow");
    setWindowTitle(tr("Layout Name"));
    setWindowModality(Qt::WindowModal);
    layoutNameField_->setObjectName("layoutNameField");
    layoutNameField_->setMaxLength(static_cast<int>(layoutNameLengthLimit));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("layoutOKButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Name of the layout:")));
    layout->addWidget(layoutNameField_);
    layout->addWidget(buttons);
}

void LayoutNameDialog::ask(const QString& name) {
    layoutNameField_->setText(name);
    layoutNameField_->selectAll();
    layoutNameField_->setFocus();
    open();
}

QString LayoutNameDialog::name() const {
    return layoutNameField_->text();
}

} // namespace marrowvale
