#include "store/random.h"

#include <chrono>
#include <random>

namespace {

std::mt19937_64& Source() {
    static std::mt19937_64 source([] {
        std::random_device device;
        const auto clock = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
        return (static_cast<std::uint64_t>(device()) << 32) ^ device() ^ clock;
    }());
    return source;
}

}  // namespace

int RandomIndex(int count) {
    if (count <= 0) return 0;
    std::uniform_int_distribution<int> draw(0, count - 1);
    return draw(Source());
}

void SeedRandomSource(std::uint64_t seed) { Source().seed(seed); }
