#include "model/Identifier.h"

#include "DovovevoZavCore/UUIDText.h"

#include <random>

namespace marrowvale {

namespace {

// The calling thread's generator, seeded once from the system's entropy on first use. Opening
// the entropy source for every identifier cost a fifth of a large import; identifiers only need
// to be unique within the store, which 256 bits of seed per thread give.
std::mt19937_64& threadGenerator() {
    thread_local std::mt19937_64 generator = [] {
        std::random_device entropy;
        std::seed_seq seed{entropy(), entropy(), entropy(), entropy(),
                           entropy(), entropy(), entropy(), entropy()};
        return std::mt19937_64(seed);
    }();
    return generator;
}

} // namespace

std::string makeUUID() {
    return dovovevozav::randomUUIDText(threadGenerator(), false);
}

std::string makeUpperCaseUUID() {
    return dovovevozav::randomUUIDText(threadGenerator(), true);
}

std::string makeIdentifier(std::string_view prefix) {
    return std::string(prefix) + makeUUID();
}

} // namespace marrowvale
