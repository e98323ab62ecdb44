#include "ladder.h"

#include <algorithm>
#include <vector>

namespace stakora::plan {
namespace {

// Each band runs from its start (not included) to its end by its step.
struct Band {
  LadderPrice to, step;
};
constexpr Band kBands[] = {
    {200, 1},   {300, 2},    {400, 5},    {600, 10},    {1000, 20},
    {2000, 50}, {3000, 100}, {5000, 200}, {10000, 500}, {kHighestOnLadder, 1000}};

const std::vector<LadderPrice>& Prices() {
  static const std::vector<LadderPrice> prices = [] {
    std::vector<LadderPrice> out{kLowestOnLadder};
    for (const Band& band : kBands)
      for (LadderPrice p = out.back() + band.step; p <= band.to; p += band.step) out.push_back(p);
    return out;
  }();
  return prices;
}

// Where a/b would stand among the prices: the first not below it.
std::vector<LadderPrice>::const_iterator FirstNotBelow(i128 a, i128 b) {
  const auto& prices = Prices();
  return std::partition_point(prices.begin(), prices.end(),
                              [&](LadderPrice p) { return static_cast<i128>(p) * b < 100 * a; });
}

}  // namespace

bool OnLadder(i128 a, i128 b) {
  const auto at = FirstNotBelow(a, b);
  return at != Prices().end() && static_cast<i128>(*at) * b == 100 * a;
}

Ticks TicksOf(i128 a, i128 b) {
  const auto& prices = Prices();
  auto at = FirstNotBelow(a, b);
  Ticks t;
  if (at != prices.begin()) t.down = *std::prev(at);
  if (at != prices.end() && static_cast<i128>(*at) * b == 100 * a) ++at;
  if (at != prices.end()) t.up = *at;
  return t;
}

std::string LadderText(LadderPrice price) {
  return MoneyText(price);
}

std::size_t LadderSize() {
  return Prices().size();
}

LadderPrice LadderAt(std::size_t i) {
  return Prices().at(i);
}

const ExchangeRules* FindExchangeRules(const std::string& name) {
  for (const ExchangeRules& rules : kExchangeRules)
    if (name == rules.name) return &rules;
  return nullptr;
}

}  // namespace stakora::plan
