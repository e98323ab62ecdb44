#include "rule4.h"

#include "exact.h"

namespace stakora::settle {
namespace {

struct Band {
  int up, down;  // the profit ratio's bound, up/down
  int pence;
};

// The industry's table: the shorter the withdrawn runner, the more it takes.
constexpr Band kBands[] = {{1, 9, 90},  {2, 11, 85}, {1, 4, 80}, {3, 10, 75},  {2, 5, 70},
                           {8, 15, 65}, {8, 13, 60}, {4, 5, 55}, {20, 21, 50}, {6, 5, 45},
                           {6, 4, 40},  {7, 4, 35},  {9, 4, 30}, {3, 1, 25},   {4, 1, 20},
                           {11, 2, 15}, {9, 1, 10},  {14, 1, 5}};

}  // namespace

int Rule4Pence(const plan::Odds& price) {
  // The profit ratio (a - b) / b against up / down, in whole numbers.
  const plan::i128 profit = price.a - price.b;
  for (const Band& band : kBands)
    if (profit * band.down <= static_cast<plan::i128>(band.up) * price.b) return band.pence;
  return 0;
}

}  // namespace stakora::settle
