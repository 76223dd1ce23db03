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

} // namespace

RuntimeFolder::RuntimeFolder()
    : qtFolder_(QDir::tempPath() + "/runtime-" + userName()),
      qtFolderExisted_(QFileInfo::exists(qtFolder_)) {}

RuntimeFolder::~RuntimeFolder() {
    if (!qtFolderExisted_) {
        // Fails, and so keeps it, while anything is left inside.
        QDir().rmdir(qtFolder_);
    }
}

QString RuntimeFolder::path() const {
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

} // namespace marrowvale
