#pragma once
// The one random source of a project. Seeded from the clock by default;
// tests and the CLI's --seed fix it so that two runs draw the same.

#include <chrono>
#include <cstdint>
#include <random>

namespace orvane {

class RandomGenerator {
   public:
    RandomGenerator()
        : m_engine(static_cast<std::uint64_t>(
              std::chrono::steady_clock::now().time_since_epoch().count())) {}
    explicit RandomGenerator(std::uint64_t seed) : m_engine(seed) {}

    void reseed(std::uint64_t seed) { m_engine.seed(seed); }

    // A whole number in 0 .. n-1; n must be positive.
    int below(int n) {
        std::uniform_int_distribution<int> pick(0, n - 1);
        return pick(m_engine);
    }

   private:
    std::mt19937_64 m_engine;
};

}  // namespace orvane
