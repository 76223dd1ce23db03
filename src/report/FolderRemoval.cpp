#include "report/FolderRemoval.h"

#include "app/FileDescriptor.h"

#include <algorithm>
#include <atomic>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace marrowvale {

namespace {

// Enough threads to keep the file system's journal busy; more gain nothing measurable.
constexpr std::size_t removalThreads = 16;
// Each further thread is worth its start only for this many files.
constexpr std::size_t filesPerThread = 256;
// Deeper folders are left: the working folder holds one level of thumbnails.
constexpr int maximumDepth = 32;

struct Listing {
    std::vector<std::string> files; // and links, and anything else that is no folder
    std::vector<std::string> folders;
};

Listing list(int folder) {
    Listing listing;
    // The stream takes its own descriptor, which closedir() closes.
    FileDescriptor copy(::dup(folder));
    DIR* stream = copy.isOpen() ? ::fdopendir(copy.get()) : nullptr;
    if (stream == nullptr) {
        return listing;
    }
    copy.release();
    while (const dirent* entry = ::readdir(stream)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        bool isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN) {
            struct stat status {};
            isFolder = ::fstatat(folder, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
                       S_ISDIR(status.st_mode);
        }
        (isFolder ? listing.folders : listing.files).push_back(name);
    }
    ::closedir(stream);
    return listing;
}

void unlinkAll(int folder, const std::vector<std::string>& names) {
    std::atomic<std::size_t> next{0};
    const auto work = [folder, &names, &next] {
        for (std::size_t i; (i = next.fetch_add(1)) < names.size();) {
            ::unlinkat(folder, names[i].c_str(), 0);
        }
    };
    std::vector<std::jthread> helpers;
    const std::size_t wanted = std::min(removalThreads, names.size() / filesPerThread);
    try {
        for (std::size_t i = 1; i < wanted; ++i) {
            helpers.emplace_back(work);
        }
    } catch (const std::exception&) {
        // No more threads to be had: those started and this one do the rest.
    }
    work();
}

void removeEntry(int parent, const char* name, int depth) {
    FileDescriptor folder(::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (folder.isOpen() && depth < maximumDepth) {
        Listing listing = list(folder.get());
        unlinkAll(folder.get(), listing.files);
        for (const std::string& inner : listing.folders) {
            removeEntry(folder.get(), inner.c_str(), depth + 1);
        }
    }
    folder.close();
    if (::unlinkat(parent, name, AT_REMOVEDIR) != 0) {
        ::unlinkat(parent, name, 0); // a file or a link in a folder's place
    }
}

} // namespace

void removeFolder(const std::filesystem::path& folder) noexcept {
    try {
        removeEntry(AT_FDCWD, folder.c_str(), 0);
    } catch (const std::exception&) {
        // Out of memory for the names: what was not removed stays.
    }
}

} // namespace marrowvale
