#pragma once

#include "model/Asset.h"
#include "model/AudioFX.h"
#include "model/AudioTrack.h"
#include "model/Composition.h"
#include "model/EventBin.h"
#include "model/FetchDescriptor.h"
#include "model/FxKeyValueTime.h"
#include "model/MarkedRange.h"
#include "model/Metadata.h"
#include "model/SpeedFX.h"
#include "model/StableSort.h"
#include "model/StoryElement.h"
#include "model/VideoFX.h"
#include "model/VideoFormat.h"
#include "model/VideoTrack.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

namespace marrowvale {

/// A change of the store's contents, for observers.
struct ModelChange {
    enum class Kind { inserted, deleted };
    Kind kind;
    std::string_view modelName; ///< the class's name, e.g. "StoryElement"
    std::size_t count;          ///< how many objects were inserted or deleted
};

/// The in-memory store of one imported timeline. It owns every model object; objects keep their
/// address until their class is deleted (or the context ends), and relationships between them
/// are plain pointers into it. Touch it from one thread only.
class ModelContext {
public:
    using Observer = std::function<void(const ModelChange&)>;

    ModelContext() = default;
    ModelContext(const ModelContext&) = delete;
    ModelContext& operator=(const ModelContext&) = delete;

    /// Creates an object of T from the constructor arguments and stores it (the insert).
    /// Everything created here is stored, so an object appended to a parent is always stored.
    template <class T, class... Args>
    T* create(Args&&... args) {
        return store(std::make_unique<T>(std::forward<Args>(args)...));
    }

    /// Stores an object made outside the context, e.g. `insert(EventBin("", {}, {}))`.
    template <class T>
    requires(!std::is_lvalue_reference_v<T>) T* insert(T&& object) {
        return store(std::make_unique<T>(std::move(object)));
    }

    /// Stores an object made outside the context; a null pointer stores nothing.
    template <class T>
    T* insert(std::unique_ptr<T> object) {
        return object ? store(std::move(object)) : nullptr;
    }

    /// The objects of T that the descriptor selects (see FetchDescriptor).
    template <class T>
    std::vector<T*> fetch(const FetchDescriptor<T>& descriptor = {}) const {
        const auto& objects = objectsOf<T>();
        std::vector<T*> result;
        const bool limitWhileScanning = descriptor.sortBy.empty() && descriptor.fetchLimit;
        if (!descriptor.predicate && !limitWhileScanning) {
            result.reserve(objects.size());
        }
        for (const auto& object : objects) {
            if (limitWhileScanning && result.size() >= *descriptor.fetchLimit) {
                break;
            }
            if (!descriptor.predicate || descriptor.predicate(*object)) {
                result.push_back(object.get());
            }
        }
        if (!descriptor.sortBy.empty()) {
            detail::stableMergeSort(result, [&descriptor](const T* a, const T* b) {
                for (const auto& sort : descriptor.sortBy) {
                    if (const int order = sort.compare(*a, *b); order != 0) {
                        return order < 0;
                    }
                }
                return false;
            });
        }
        if (descriptor.fetchLimit && result.size() > *descriptor.fetchLimit) {
            result.resize(*descriptor.fetchLimit);
        }
        return result;
    }

    /// Every object of T, in the order they were stored.
    template <class T>
    std::vector<T*> fetchAll() const {
        return fetch<T>();
    }

    /// How many objects of T the store holds.
    template <class T>
    std::size_t count() const noexcept {
        return objectsOf<T>().size();
    }

    /// The first stored composition whose name is exactly `name`, or null.
    Composition* fetchComposition(std::string_view name) const;

    /// Every bin, sorted by name (stable for equal names).
    std::vector<EventBin*>
    fetchBinsSortedByName(TextComparison comparison = TextComparison::standard) const;

    /// Deletes every object of T. Every relationship of the remaining objects that pointed at one
    /// of them is cleared first (a to-one becomes null, a to-many list loses them), so nothing
    /// dangles.
    template <class T>
    void deleteAll() {
        auto& objects = objectsOf<T>();
        const std::size_t deleted = objects.size();
        detachAll(std::type_identity<T>{});
        objects.clear();
        hasChanges_ = hasChanges_ || deleted > 0;
        notify({ModelChange::Kind::deleted, T::modelName, deleted});
    }

    /// Deletes the objects of all thirteen classes, class by class: EventBin, VideoFormat, Asset,
    /// Composition, VideoTrack, AudioTrack, StoryElement, MarkedRange, Metadata, FxKeyValueTime,
    /// VideoFX, AudioFX, SpeedFX.
    void deleteAllModels();

    /// Whether objects were inserted or deleted since the last save. Property writes are plain
    /// member writes and are not tracked.
    bool hasChanges() const noexcept { return hasChanges_; }

    /// Commits the pending changes. The store lives in memory only, so this cannot fail.
    void save() noexcept { hasChanges_ = false; }

    /// Sets (or, with an empty function, removes) the one observer told of inserts and deletes.
    void setObserver(Observer observer) { observer_ = std::move(observer); }

private:
    template <class T>
    using Objects = std::vector<std::unique_ptr<T>>;

    template <class T>
    Objects<T>& objectsOf() noexcept {
        return std::get<Objects<T>>(objects_);
    }
    template <class T>
    const Objects<T>& objectsOf() const noexcept {
        return std::get<Objects<T>>(objects_);
    }

    template <class T>
    T* store(std::unique_ptr<T> object) {
        object->persistentModelID_ = nextIdentifier_++;
        T* stored = object.get();
        objectsOf<T>().push_back(std::move(object));
        hasChanges_ = true;
        notify({ModelChange::Kind::inserted, T::modelName, 1});
        return stored;
    }

    void notify(const ModelChange& change) const;

    // Clear the relationships of the other classes that point at objects of one class.
    void detachAll(std::type_identity<EventBin>);
    void detachAll(std::type_identity<VideoFormat>);
    void detachAll(std::type_identity<Asset>);
    void detachAll(std::type_identity<Composition>);
    void detachAll(std::type_identity<VideoTrack>);
    void detachAll(std::type_identity<AudioTrack>);
    void detachAll(std::type_identity<StoryElement>);
    void detachAll(std::type_identity<MarkedRange>);
    void detachAll(std::type_identity<Metadata>);
    void detachAll(std::type_identity<FxKeyValueTime>);
    void detachAll(std::type_identity<VideoFX>);
    void detachAll(std::type_identity<AudioFX>);
    void detachAll(std::type_identity<SpeedFX>);

    std::tuple<Objects<EventBin>, Objects<VideoFormat>, Objects<Asset>, Objects<Composition>,
               Objects<VideoTrack>, Objects<AudioTrack>, Objects<StoryElement>,
               Objects<MarkedRange>, Objects<Metadata>, Objects<FxKeyValueTime>, Objects<VideoFX>,
               Objects<AudioFX>, Objects<SpeedFX>>
        objects_;
    PersistentIdentifier nextIdentifier_ = 1;
    bool hasChanges_ = false;
    Observer observer_;
};

} // namespace marrowvale
