// Date-times as model files store them: days since 30 December 1899, local time,
// the fraction being the time of day.
#pragma once

#include <QDateTime>

class TDateTimeValue {
 public:
  static double Now();
  static double FromDateTime(const QDateTime& dateTime);
  static QDateTime ToDateTime(double days);
};
