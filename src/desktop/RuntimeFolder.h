#pragma once

#include <QString>

namespace marrowvale {

/// The user's folder for the application's socket: `$XDG_RUNTIME_DIR`, or, when that is unset
/// or unusable, the private folder Qt makes for itself in the temporary folder ("runtime-"
/// followed by the user name, readable by the user alone). Qt makes the folder it settles on
/// when it is missing, `$XDG_RUNTIME_DIR` too; whichever this start made is removed again, once
/// empty, as the object goes, so that nothing is left behind.
class RuntimeFolder {
public:
    /// Made before the application object, to see which folders are there already.
    RuntimeFolder();
    ~RuntimeFolder();
    RuntimeFolder(const RuntimeFolder&) = delete;
    RuntimeFolder& operator=(const RuntimeFolder&) = delete;

    /// The folder (made when need be); empty when there is none the user alone owns.
    QString path() const;

    /// Why `path()` is empty, for the diagnostics: the folders that were tried.
    QString whyNone() const;

private:
    QString xdgFolder_; // empty when XDG_RUNTIME_DIR is unset
    bool xdgFolderExisted_;
    QString qtFolder_;
    bool qtFolderExisted_;
};

} // namespace marrowvale
