// The projection that the reshape callback sets: the scene keeps its aspect ratio.
#pragma once

struct OrthoBounds {
  double left, right, bottom, top, near_plane, far_plane;
};

// Bounds for glOrtho after a reshape to width x height pixels. A width or height of 0 (or
// less) is taken as 1 pixel, so a collapsed window never divides by zero or hands an infinity
// to GL.
OrthoBounds reshape_bounds(int width, int height);
