#include "app/printing/systemprinter.h"

#include <QPrinterInfo>

QPageSize LocalePaperSize(const QLocale& locale)
{
  switch (locale.territory()) {
    case QLocale::UnitedStates:
    case QLocale::Canada:
    case QLocale::Mexico:
    case QLocale::Chile:
    case QLocale::Colombia:
    case QLocale::Venezuela:
    case QLocale::Philippines:
      return QPageSize(QPageSize::Letter);
    default:
      break;
  }
  return QPageSize(locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                           : QPageSize::A4);
}

TSystemPrinter::TSystemPrinter() : printer_(QPrinter::HighResolution)
{
  // Without any printer the program still starts, measures pages and prints to PDF.
  if (QPrinterInfo::defaultPrinter().isNull() && QPrinterInfo::availablePrinters().isEmpty())
    UsePdf(LocalePaperSize(QLocale::system()));
}

TSystemPrinter::TSystemPrinter(const QPageSize& paper) : printer_(QPrinter::HighResolution)
{
  UsePdf(paper);
}

void TSystemPrinter::UsePdf(const QPageSize& paper)
{
  printer_.setOutputFormat(QPrinter::PdfFormat);
  printer_.setPageSize(paper);
  // The edge most printers cannot reach, so that pages laid out here print anywhere.
  printer_.setPageMargins(QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch);
}

namespace {

TSystemPrinter*& InstalledPrinter()
{
  static TSystemPrinter* printer = nullptr;
  return printer;
}

}  // namespace

TSystemPrinter& TSystemPrinter::Shared()
{
  if (!InstalledPrinter()) {
    static TSystemPrinter fallback;
    return fallback;
  }
  return *InstalledPrinter();
}

void TSystemPrinter::Install(TSystemPrinter* printer)
{
  InstalledPrinter() = printer;
  TPrinterService::Install(printer);
}

QString TSystemPrinter::DisplayName() const
{
  if (PrintsToPdf() || printer_.printerName().isEmpty())
    return QStringLiteral("PDF file (%1)").arg(printer_.pageLayout().pageSize().name());
  return printer_.printerName();
}

bool TSystemPrinter::CanSwitchColour() const
{
  if (PrintsToPdf()) return true;
  return QPrinterInfo(printer_).supportedColorModes().size() > 1;
}

int TSystemPrinter::Orientation() const
{
  return printer_.pageLayout().orientation() == QPageLayout::Landscape ? 1 : 0;
}

void TSystemPrinter::SetOrientation(int orientation)
{
  printer_.setPageOrientation(orientation == 1 ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void TSystemPrinter::SetCopies(int copies)
{
  printer_.setCopyCount(std::max(1, copies));
}

QSize TSystemPrinter::PageSizePixels() const
{
  return printer_.pageLayout().paintRectPixels(printer_.resolution()).size();
}

double TSystemPrinter::DpiX() const
{
  return printer_.resolution();
}

double TSystemPrinter::DpiY() const
{
  return printer_.resolution();
}
