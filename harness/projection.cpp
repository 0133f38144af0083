#include "harness/projection.h"

OrthoBounds reshape_bounds(int width, int height) {
  if (width < 1) width = 1;
  if (height < 1) height = 1;
  const double w = static_cast<double>(static_cast<float>(width));
  const double h = static_cast<double>(static_cast<float>(height));
  if (width > height) return {(w * -1) / h, w / h, -1, 1, -1, 1};
  return {-1, 1, (h * -1) / w, h / w, -1, 1};
}
