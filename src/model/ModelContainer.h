#pragma once

#include "model/ModelContext.h"

namespace marrowvale {

/// Holds the store of the application: made once at start-up, kept until the end. All model work
/// goes through its main context.
class ModelContainer {
public:
    ModelContainer() = default;
    ModelContainer(const ModelContainer&) = delete;
    ModelContainer& operator=(const ModelContainer&) = delete;

    /// The context through which every model object is created, fetched and deleted.
    ModelContext& mainContext() noexcept { return mainContext_; }
    const ModelContext& mainContext() const noexcept { return mainContext_; }

private:
    ModelContext mainContext_;
};

} // namespace marrowvale
