#pragma once

#include "DovovevoZavUI/TimecodeTextFormatter.h"

#include <QStyledItemDelegate>

namespace dovovevozav {

/// The table-cell form of TimecodeTextField: an item delegate with its own
/// TimecodeTextFormatter (nothing set at first). Cells show the formatter's canonical text,
/// styled when it shows validation; the editor is a TimecodeTextField with the cell's
/// formatter settings, and the model receives its text. Escape closes the editor and keeps
/// the model's value, as every item view does.
class TimecodeTextFieldCell : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit TimecodeTextFieldCell(QObject* parent = nullptr);

    /// The installed formatter; editors take a copy of its settings when they open.
    TimecodeTextFormatter* formatter() const { return formatter_; }

    QString displayText(const QVariant& value, const QLocale& locale) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

private:
    TimecodeTextFormatter* formatter_;
};

} // namespace dovovevozav
