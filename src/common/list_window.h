#pragma once
// A rule both list windows (personnel, mass payment) keep for their button bar.

namespace zel {

// Left edge of "Край" in a bar `barWidth` wide: 10 short of the bar's right
// edge, but never left of its neighbour's right edge plus 4 ("Изтриване" in
// the personnel list, "Печат" in the mass payment list).
inline int CloseButtonLeft(int barWidth, int closeWidth, int neighbourRight) {
  const int right = barWidth - closeWidth - 10;
  const int least = neighbourRight + 4;
  return right > least ? right : least;
}

}  // namespace zel
