#include "desktop/FileTypeIcon.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace marrowvale {

QPixmap fileTypePixmap(FileIcon icon, int size, qreal devicePixelRatio) {
    if (icon == FileIcon::none || size <= 0) {
        return {};
    }
    const bool xml = icon == FileIcon::xml;
    const QColor accent = xml ? QColor(0x2f, 0x6f, 0xb5) : QColor(0xc2, 0x5b, 0x1f);

    QPixmap pixmap(QSize(size, size) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);

    // A page with its top right corner folded over.
    const qreal width = size * 0.72;
    const qreal left = (size - width) / 2;
    const qreal top = size * 0.04;
    const qreal bottom = size * 0.96;
    const qreal fold = size * 0.22;
    QPainterPath page;
    page.moveTo(left, top);
    page.lineTo(left + width - fold, top);
    page.lineTo(left + width, top + fold);
    page.lineTo(left + width, bottom);
    page.lineTo(left, bottom);
    page.closeSubpath();
    painter.setPen(QPen(QColor(0x70, 0x70, 0x70), size / 48.0 + 0.5));
    painter.setBrush(Qt::white);
    painter.drawPath(page);
    QPainterPath corner;
    corner.moveTo(left + width - fold, top);
    corner.lineTo(left + width - fold, top + fold);
    corner.lineTo(left + width, top + fold);
    painter.setBrush(QColor(0xdd, 0xdd, 0xdd));
    painter.drawPath(corner);

    // The type's name on a coloured band.
    const QRectF band(left - size * 0.04, size * 0.52, width + size * 0.08, size * 0.26);
    painter.setPen(Qt::NoPen);
    painter.setBrush(accent);
    painter.drawRoundedRect(band, size * 0.04, size * 0.04);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(std::max(1, static_cast<int>(band.height() * (xml ? 0.72 : 0.62))));
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(band, Qt::AlignCenter, xml ? QStringLiteral("XML") : QStringLiteral("OTIO"));
    return pixmap;
}

} // namespace marrowvale
