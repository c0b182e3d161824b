#include "render/displaycolor.h"

QColor DisplayColor(TColorRef color)
{
  return ToQColor(color);
}
