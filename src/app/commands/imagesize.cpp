#include "app/commands/imagesize.h"

#include <QRegularExpression>
#include <cmath>

#include "app/commands/numberinput.h"

const std::vector<QSize>& TImageSize::Presets()
{
  static const std::vector<QSize> presets = {QSize(320, 200), QSize(640, 480), QSize(800, 600),
                                             QSize(1024, 768), QSize(1280, 1024)};
  return presets;
}

std::optional<QSize> TImageSize::Parse(const QString& text)
{
  static const QRegularExpression pattern(
      QStringLiteral("^\\s*(\\d{1,9})\\s*[xX,]\\s*(\\d{1,9})\\s*$"));
  const QRegularExpressionMatch match = pattern.match(text);
  if (!match.hasMatch()) return std::nullopt;
  return QSize(match.captured(1).toInt(), match.captured(2).toInt());
}

QSize TImageSize::Bounded(QSize size)
{
  const auto side = [](int value) {
    return static_cast<int>(TNumberInput::Clamp(value, numberranges::kImageSide));
  };
  return QSize(side(size.width()), side(size.height()));
}
