// The game's pseudo-random source: a 32-bit linear congruential generator.
#pragma once

#include <cstdint>

namespace jadeleaf {

class RandomSource {
public:
    void Seed(std::uint32_t seed) { state_ = seed; }

    // A value from 0 to 32767: bits 16 to 30 of the next state.
    int Next() {
        state_ = state_ * 22695477u + 1u;
        return static_cast<int>((state_ >> 16) & 32767u);
    }

private:
    std::uint32_t state_ = 0;
};

}  // namespace jadeleaf
