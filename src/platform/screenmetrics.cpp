#include "platform/screenmetrics.h"

#include <QGuiApplication>
#include <QScreen>

TScreenResolution ScreenResolution()
{
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return {};
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen || screen->logicalDotsPerInchX() <= 0 || screen->logicalDotsPerInchY() <= 0)
    return {};
  return {screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY()};
}
