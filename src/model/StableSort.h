#pragma once

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace marrowvale::detail {

/// Stable merge sort that stays within the sequence and terminates for any comparator, even one
/// that is not a strict weak ordering: an element moves ahead of an earlier one only when
/// `less(later, earlier)` holds at the moment they meet.
template <class T, class Less>
void stableMergeSort(std::vector<T>& items, Less less) {
    const std::size_t count = items.size();
    if (count < 2) {
        return;
    }
    std::vector<T> buffer(count);
    std::vector<T>* source = &items;
    std::vector<T>* target = &buffer;
    for (std::size_t width = 1; width < count; width *= 2) {
        for (std::size_t left = 0; left < count; left += 2 * width) {
            const std::size_t middle = std::min(left + width, count);
            const std::size_t right = std::min(left + 2 * width, count);
            std::size_t i = left;
            std::size_t j = middle;
            std::size_t out = left;
            while (i < middle && j < right) {
                if (less((*source)[j], (*source)[i])) {
                    (*target)[out++] = std::move((*source)[j++]);
                } else {
                    (*target)[out++] = std::move((*source)[i++]);
                }
            }
            while (i < middle) {
                (*target)[out++] = std::move((*source)[i++]);
            }
            while (j < right) {
                (*target)[out++] = std::move((*source)[j++]);
            }
        }
        std::swap(source, target);
    }
    if (source != &items) {
        items = std::move(*source);
    }
}

} // namespace marrowvale::detail
