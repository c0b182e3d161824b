// What models need to know of the printer: printable page size, resolution and orientation.
// Machines without a printer are normal; they get a default page and work the same.
#pragma once

#include <QSize>

class IPrinterInfo {
 public:
  virtual ~IPrinterInfo() = default;
  virtual int Orientation() const = 0;  // 0 portrait, 1 landscape
  virtual void SetOrientation(int orientation) = 0;
  virtual void SetCopies(int copies) = 0;
  // Printable area of one page in device pixels, in the current orientation.
  virtual QSize PageSizePixels() const = 0;
  virtual double DpiX() const = 0;
  virtual double DpiY() const = 0;
};

// US Letter at 600 DPI with the quarter-inch unprintable edge of a typical driver.
class TDefaultPrinter : public IPrinterInfo {
 public:
  int Orientation() const override { return orientation_; }
  void SetOrientation(int orientation) override { orientation_ = orientation == 1 ? 1 : 0; }
  void SetCopies(int) override {}
  QSize PageSizePixels() const override;
  double DpiX() const override { return 600.0; }
  double DpiY() const override { return 600.0; }

 private:
  int orientation_ = 0;
};

// The printer the program uses; the desktop shell installs a real one when there is one.
class TPrinterService {
 public:
  static IPrinterInfo& Current();
  // Installs a printer (not owned); nullptr returns to the default page.
  static void Install(IPrinterInfo* printer);
};
