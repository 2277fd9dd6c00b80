// Window placement arithmetic.
#include "shell/WindowGeometry.h"

#include <algorithm>

#include "platform/Twips.h"

namespace {
// Halving that rounds towards minus infinity, so a position does not jump by a pixel when it
// crosses zero.
long HalfDown(long value) { return value >= 0 ? value / 2 : -((-value + 1) / 2); }

long KeptInsideAxis(long start, long extent, long areaStart, long areaEnd) {
  if (extent >= areaEnd - areaStart) return areaStart;
  return std::clamp(start, areaStart, areaEnd - extent);
}
}  // namespace

PixelPoint CenteredOn(const PixelRect& owner, long width, long height) {
  return {HalfDown(owner.Width() - width) + owner.left, HalfDown(owner.Height() - height) + owner.top};
}

PixelPoint KeptInside(PixelPoint corner, long width, long height, const PixelRect& area) {
  return {KeptInsideAxis(corner.x, width, area.left, area.right),
          KeptInsideAxis(corner.y, height, area.top, area.bottom)};
}

PixelPoint CenterFormPosition(const PixelRect& owner, long width, long height, const PixelRect& workArea) {
  return KeptInside(CenteredOn(owner, width, height), width, height, workArea);
}

PixelRect RestoredRectOnScreen(const PixelRect& restored, const PixelRect& workArea, const PixelRect& monitor,
                               bool toolWindow) {
  if (toolWindow) return restored;
  const long dx = workArea.left - monitor.left;
  const long dy = workArea.top - monitor.top;
  return {restored.left + dx, restored.top + dy, restored.right + dx, restored.bottom + dy};
}

long OuterPixelsForInner(long innerTwips, long outerPixels, long innerPixels, int dpi) {
  return TwipsToPixels(innerTwips, dpi) + (outerPixels - innerPixels);
}
