#include "DovovevoZavUI/TimecodeTextFieldCell.h"

#include "DovovevoZavUI/TimecodeTextField.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

namespace dovovevozav {

TimecodeTextFieldCell::TimecodeTextFieldCell(QObject* parent)
    : QStyledItemDelegate(parent),
      formatter_(new TimecodeTextFormatter(std::nullopt, std::nullopt, false, std::nullopt, this)) {
}

QString TimecodeTextFieldCell::displayText(const QVariant& value, const QLocale& locale) const {
    if (const auto shown = formatter_->string(value)) {
        return *shown;
    }
    return QStyledItemDelegate::displayText(value, locale);
}

void TimecodeTextFieldCell::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
    const auto styled =
        formatter_->showsValidation()
            ? formatter_->attributedString(index.data(Qt::DisplayRole), std::nullopt)
            : std::nullopt;
    if (!styled) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    item.text.clear();
    const QWidget* widget = item.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

    // The text rectangle of the item, less the margin the style keeps around item text.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget)
                               .adjusted(margin, 0, -margin, 0);
    const QPalette::ColorGroup group =
        (item.state & QStyle::State_Enabled) != 0 ? QPalette::Normal : QPalette::Disabled;
    painter->save();
    painter->setPen(item.palette.color(group, (item.state & QStyle::State_Selected) != 0
                                                  ? QPalette::HighlightedText
                                                  : QPalette::Text));
    styled->draw(*painter, textRect, item.font);
    painter->restore();
}

QWidget* TimecodeTextFieldCell::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                             const QModelIndex& index) const {
    Q_UNUSED(option);
    Q_UNUSED(index);
    auto* editor = new TimecodeTextField(parent);
    editor->formatter()->copySettings(*formatter_);
    editor->setFrame(
        editor->style()->styleHint(QStyle::SH_ItemView_DrawDelegateFrame, nullptr, editor) != 0);
    return editor;
}

} // namespace dovovevozav
