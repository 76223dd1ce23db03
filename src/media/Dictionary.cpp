#include "media/Dictionary.h"

extern "C" {
#include <libavutil/dict.h>
}

#include <new>

namespace marrowvale {

Dictionary::~Dictionary() {
    av_dict_free(&dictionary_);
}

void Dictionary::set(const std::string& key, const std::string& value) {
    if (av_dict_set(&dictionary_, key.c_str(), value.c_str(), 0) < 0) {
        throw std::bad_alloc();
    }
}

void Dictionary::allowLocalFilesOnly() {
    set("protocol_whitelist", "file");
}

} // namespace marrowvale
