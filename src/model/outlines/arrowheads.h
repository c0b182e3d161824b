// The notation drawn on lines: heads at the end and start of arrows (and at the end of open
// free shapes), the marker in an arrow's middle, and the curls inside cloud shapes.
#pragma once

class TCanvas;

class TArrowHeads {
 public:
  // The head whose tip is (toX, toY), pointing out of the line that comes from (fromX, fromY)
  // straight or bent by chordHeight.
  static void DrawEndHead(TCanvas& canvas, int style, int size, double fromX, double fromY,
                          double toX, double toY, double chordHeight, double offsetX,
                          double offsetY, double zoom);
  // The head at (fromX, fromY).
  static void DrawStartHead(TCanvas& canvas, int style, int size, double fromX, double fromY,
                            double toX, double toY, double chordHeight, double offsetX,
                            double offsetY, double zoom);
  // The marker in the middle of the line.
  static void DrawMidMarker(TCanvas& canvas, int style, int size, double fromX, double fromY,
                            double toX, double toY, double chordHeight, double offsetX,
                            double offsetY, double zoom);
  // The curls inside a cloud of the given size about its centre, with the current pen.
  static void DrawCloudDecoration(TCanvas& canvas, double angle, double centreX, double centreY,
                                  double width, double height, double offsetX, double offsetY,
                                  double zoom);
};
