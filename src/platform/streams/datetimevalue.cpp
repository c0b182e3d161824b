#include "platform/streams/datetimevalue.h"

#include <cmath>

namespace {
const QDate kEpoch(1899, 12, 30);
constexpr double kMsPerDay = 86400000.0;
}  // namespace

double TDateTimeValue::Now()
{
  return FromDateTime(QDateTime::currentDateTime());
}

double TDateTimeValue::FromDateTime(const QDateTime& dateTime)
{
  const QDateTime local = dateTime.toLocalTime();
  return static_cast<double>(kEpoch.daysTo(local.date())) +
         local.time().msecsSinceStartOfDay() / kMsPerDay;
}

QDateTime TDateTimeValue::ToDateTime(double days)
{
  // Values from damaged files fall back to the epoch rather than an invalid date.
  if (!std::isfinite(days) || std::fabs(days) > 3.0e6) days = 0.0;
  const double whole = std::floor(days);
  const int ms = static_cast<int>(std::lround((days - whole) * kMsPerDay));
  return QDateTime(kEpoch.addDays(static_cast<qint64>(whole)), QTime(0, 0)).addMSecs(ms);
}
