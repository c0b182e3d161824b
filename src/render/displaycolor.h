// The colour a stored colour is painted with. Every solid colour of a fill, a pattern or a
// line goes through here, so that a palette mapping can later be added in one place.
#pragma once

#include <QColor>

#include "platform/color.h"

// On true-colour devices this is the colour itself, system colours resolved.
QColor DisplayColor(TColorRef color);
