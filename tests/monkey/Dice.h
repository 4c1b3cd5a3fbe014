#pragma once
// The monkey's one source of chance: every choice of a run comes from it,
// so a seed replays the same choices.

#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

namespace tempovia::monkey {

class Dice {
 public:
  explicit Dice(std::uint64_t seed) : m_engine(seed) {}

  // 0 to n - 1.
  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_engine); }
  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_engine); }
  bool Chance(double p) { return std::bernoulli_distribution(p)(m_engine); }
  template <class T>
  const T& Pick(const std::vector<T>& from) {
    return from[static_cast<std::size_t>(Below(static_cast<int>(from.size())))];
  }

 private:
  std::mt19937_64 m_engine;
};

}  // namespace tempovia::monkey
