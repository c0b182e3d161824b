#include "platform/printerinfo.h"

namespace {

IPrinterInfo*& InstalledPrinter()
{
  static IPrinterInfo* printer = nullptr;
  return printer;
}

}  // namespace

QSize TDefaultPrinter::PageSizePixels() const
{
  // 8 x 10.5 printable inches of an 8.5 x 11 inch sheet.
  const QSize portrait(8 * 600, 10 * 600 + 300);
  return orientation_ == 1 ? portrait.transposed() : portrait;
}

IPrinterInfo& TPrinterService::Current()
{
  static TDefaultPrinter fallback;
  IPrinterInfo* printer = InstalledPrinter();
  return printer ? *printer : fallback;
}

void TPrinterService::Install(IPrinterInfo* printer)
{
  InstalledPrinter() = printer;
}
