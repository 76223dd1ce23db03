#include "model/TrackText.h"

#include "model/StoryElement.h"

namespace marrowvale::detail {

std::string elementsText(const std::vector<StoryElement*>& elements) {
    std::string text = std::to_string(elements.size()) + " elements \n [";
    for (std::size_t i = 0; i < elements.size(); ++i) {
        if (i > 0) {
            text += ", ";
        }
        if (elements[i] != nullptr) {
            text += elements[i]->debugDescription();
        }
    }
    text += ']';
    return text;
}

} // namespace marrowvale::detail
