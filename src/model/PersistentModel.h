#pragma once

#include <cstdint>

namespace marrowvale {

class ModelContext;

/// Store identifier of a model object: unique within its context and never reused there.
/// 0 means the object has not been inserted into a context.
using PersistentIdentifier = std::uint64_t;

/// What every model class shares: the identity the context gives an object when it stores it.
/// Model objects are told apart by identity (their address), never by their values, so they can
/// be moved before they are stored but never copied.
class PersistentModel {
public:
    /// The store identifier; the identity of the classes that have no text `id` of their own.
    PersistentIdentifier persistentModelID() const noexcept { return persistentModelID_; }

protected:
    PersistentModel() = default;
    PersistentModel(PersistentModel&&) noexcept = default;
    PersistentModel& operator=(PersistentModel&&) noexcept = default;
    PersistentModel(const PersistentModel&) = delete;
    PersistentModel& operator=(const PersistentModel&) = delete;
    ~PersistentModel() = default;

private:
    friend class ModelContext;
    PersistentIdentifier persistentModelID_ = 0;
};

} // namespace marrowvale
