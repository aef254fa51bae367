// A small seeded generator of our own (splitmix64), so that a seed gives the same
// world on every machine and library version; std distributions do not promise that.
#pragma once

#include <QByteArray>
#include <cstdint>

namespace tw::statsite {

class Prng {
  public:
    explicit Prng(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        state_ += 0x9E3779B97F4A7C15ULL;
        std::uint64_t z = state_;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // A whole number in [0, n); n must be positive.
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }

    // A whole number in [low, high].
    int between(int low, int high) { return low + below(high - low + 1); }

    // True with the given chance in percent.
    bool percent(int chance) { return below(100) < chance; }

    // A stable 64-bit mix of a text, to derive per-name generators from one seed.
    static std::uint64_t hashOf(const QByteArray& text) {
        std::uint64_t h = 0xCBF29CE484222325ULL;
        for (char c : text) {
            h ^= static_cast<unsigned char>(c);
            h *= 0x100000001B3ULL;
        }
        return h;
    }

  private:
    std::uint64_t state_;
};

}  // namespace tw::statsite
