#pragma once

#include "app/controller/MainWindowView.h"

#include <QPixmap>

namespace marrowvale {

/// The picture beside the opened file's name: a page labelled "XML" or "OTIO", drawn at
/// `size` device-independent pixels for `devicePixelRatio`; a null pixmap for no icon.
QPixmap fileTypePixmap(FileIcon icon, int size, qreal devicePixelRatio = 1.0);

} // namespace marrowvale
