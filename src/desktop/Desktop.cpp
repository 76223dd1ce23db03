#include "desktop/Desktop.h"

#include <QFile>

namespace marrowvale {

QString qtPath(const std::filesystem::path& path) {
    return QFile::decodeName(path.c_str());
}

std::filesystem::path filesystemPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

} // namespace marrowvale
