// Shared pieces for document tests: a recording observer and a fixed printer.
#pragma once

#include <QSize>
#include <QStringList>

#include "document/documentobserver.h"
#include "platform/printerinfo.h"

// Counts every notification the document sends.
class TRecordingObserver : public IDocumentObserver {
 public:
  void Repaint() override { ++repaints; }
  void UpdateControls() override { ++controls; }
  void SyncTextToolbar() override { ++syncs; }
  void Beep() override { ++beeps; }
  void ReportError(const QString& message) override { errors << message; }
  void PaintNow(bool fast) override { ++(fast ? fastPaints : fullPaints); }
  QStringList errors;
  int fastPaints = 0;
  int fullPaints = 0;
  int repaints = 0;
  int controls = 0;
  int syncs = 0;
  int beeps = 0;
};

// A landscape printer with an 11 x 8 inch printable area at 100 DPI.
class TFixedPrinter : public IPrinterInfo {
 public:
  int Orientation() const override { return orientation; }
  void SetOrientation(int o) override { orientation = o; }
  void SetCopies(int c) override { copies = c; }
  QSize PageSizePixels() const override
  {
    return orientation == 1 ? QSize(1100, 800) : QSize(800, 1100);
  }
  double DpiX() const override { return 100; }
  double DpiY() const override { return 100; }
  int orientation = 1;
  int copies = 3;
};
