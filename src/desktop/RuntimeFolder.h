#pragma once

#include <QString>

namespace marrowvale {

/// The user's folder for the application's socket: `$XDG_RUNTIME_DIR`, or, when that is unset
/// or unusable, the private folder Qt makes for itself in the temporary folder ("runtime-"
/// followed by the user name, readable by the user alone). Qt makes that folder while the
/// application object is built; when this start made it, it is removed again, once empty, as
/// the object goes, so that nothing is left behind in the temporary folder.
class RuntimeFolder {
public:
    /// Made before the application object, to see whether Qt's folder is there already.
    RuntimeFolder();
    ~RuntimeFolder();
    RuntimeFolder(const RuntimeFolder&) = delete;
    RuntimeFolder& operator=(const RuntimeFolder&) = delete;

    /// The folder (made when need be); empty when there is none the user alone owns.
    QString path() const;

private:
    QString qtFolder_;
    bool qtFolderExisted_;
};

} // namespace marrowvale
