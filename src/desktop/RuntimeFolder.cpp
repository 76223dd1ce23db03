#include "desktop/RuntimeFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <pwd.h>
#include <unistd.h>

namespace marrowvale {

namespace {

// The user name as Qt finds it for its folder; empty when the user has no entry.
QString userName() {
    const passwd* entry = ::getpwuid(::geteuid());
    return entry ? QFile::decodeName(entry->pw_name) : QString();
}

// Removes `folder` when this start made it; fails, and so keeps it, while anything is inside.
void removeIfMade(const QString& folder, bool existed) {
    if (!folder.isEmpty() && !existed) {
        QDir().rmdir(folder);
    }
}

} // namespace

RuntimeFolder::RuntimeFolder()
    : xdgFolder_(QFile::decodeName(qgetenv("XDG_RUNTIME_DIR"))),
      xdgFolderExisted_(!xdgFolder_.isEmpty() && QFileInfo::exists(xdgFolder_)),
      qtFolder_(QDir::tempPath() + "/runtime-" + userName()),
      qtFolderExisted_(QFileInfo::exists(qtFolder_)) {}

RuntimeFolder::~RuntimeFolder() {
    removeIfMade(xdgFolder_, xdgFolderExisted_);
    removeIfMade(qtFolder_, qtFolderExisted_);
}

QString RuntimeFolder::path() const {
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

QString RuntimeFolder::whyNone() const {
    if (xdgFolder_.isEmpty()) {
        return QStringLiteral("\u201c%1\u201d is not a folder of the user\u2019s own that no one "
                              "else may use")
            .arg(qtFolder_);
    }
    return QStringLiteral("neither \u201c%1\u201d (XDG_RUNTIME_DIR) nor \u201c%2\u201d is a folder "
                          "of the user\u2019s own that no one else may use")
        .arg(xdgFolder_, qtFolder_);
}

} // namespace marrowvale
