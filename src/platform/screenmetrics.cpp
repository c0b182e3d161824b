#include "platform/screenmetrics.h"

#include <QGuiApplication>
#include <QScreen>

namespace {
std::optional<TScreenResolution> override_;
}  // namespace

TScreenResolution ScreenResolution()
{
  if (override_) return *override_;
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return {};
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen || screen->logicalDotsPerInchX() <= 0 || screen->logicalDotsPerInchY() <= 0)
    return {};
  return {screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY()};
}

void OverrideScreenResolution(std::optional<TScreenResolution> resolution)
{
  override_ = resolution;
}
