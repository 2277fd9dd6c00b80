// Window placement arithmetic of the shell routines, in pixels, and the twips of the program's
// window sizes.
#pragma once

struct PixelRect {
  long left = 0;
  long top = 0;
  long right = 0;
  long bottom = 0;

  long Width() const { return right - left; }
  long Height() const { return bottom - top; }
  bool operator==(const PixelRect&) const = default;
};

struct PixelPoint {
  long x = 0;
  long y = 0;
  bool operator==(const PixelPoint&) const = default;
};

// The top-left corner that centres a window of the given size on the owner's rectangle. A window
// larger than its owner lands up and to the left of the owner's corner.
PixelPoint CenteredOn(const PixelRect& owner, long width, long height);

// The corner moved as little as possible so that a window of the given size lies inside the area;
// a window larger than the area keeps its left or top edge on the area's.
PixelPoint KeptInside(PixelPoint corner, long width, long height, const PixelRect& area);

// Where CenterForm puts a window: centred on the owner, then kept inside the owner's work area.
PixelPoint CenterFormPosition(const PixelRect& owner, long width, long height, const PixelRect& workArea);

// A restored rectangle as GetWindowPlacement gives it, in screen coordinates. For a top-level
// window without the tool-window style the rectangle is relative to the work area (workspace
// coordinates), which differs from the screen when a taskbar sits at the top or left.
PixelRect RestoredRectOnScreen(const PixelRect& restored, const PixelRect& workArea, const PixelRect& monitor,
                               bool toolWindow);

// SetClientSize along one axis: the outer size in pixels that gives an inner size of the wanted
// twips, keeping the frame (outer minus inner) the window has now.
long OuterPixelsForInner(long innerTwips, long outerPixels, long innerPixels, int dpi);
