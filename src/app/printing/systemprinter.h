// The printer the desktop program prints on, seen through the model's printer questions. A
// machine without a printer is normal: the printer then writes PDF files on a sheet of the
// locale's paper size.
#pragma once

#include <QLocale>
#include <QPageSize>
#include <QPrinter>

#include "io/publishing/printjob.h"
#include "platform/printerinfo.h"

// Letter where it is the usual paper, A4 elsewhere.
QPageSize LocalePaperSize(const QLocale& locale);

class TSystemPrinter : public IPrinterInfo {
 public:
  // Uses the system's default printer when there is one.
  TSystemPrinter();
  // For tests and machines without printers: a PDF printer on the given paper.
  explicit TSystemPrinter(const QPageSize& paper);

  // The program's printer: the one installed, or one made on first use that lives as long
  // as the program.
  static TSystemPrinter& Shared();
  // Makes a printer (not owned) the program's one and the one models measure their pages by;
  // nullptr lets it go again.
  static void Install(TSystemPrinter* printer);

  QPrinter& Printer() { return printer_; }
  bool PrintsToPdf() const { return printer_.outputFormat() == QPrinter::PdfFormat; }
  // The name the print dialog's caption shows.
  QString DisplayName() const;
  bool CanSwitchColour() const;

  int Orientation() const override;
  void SetOrientation(int orientation) override;
  void SetCopies(int copies) override;
  QSize PageSizePixels() const override;
  double DpiX() const override;
  double DpiY() const override;

  // What the print dialog keeps for the run between its showings: copies, fitting, blank
  // pages and frames (the range starts again at Current View each time).
  TPrintOptions Remembered;

 private:
  void UsePdf(const QPageSize& paper);

  QPrinter printer_;
};
