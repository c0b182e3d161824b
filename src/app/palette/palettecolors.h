// The 52 named colours of the palette grid: the thinking colours (of which the first ten are
// shown, each with the meaning the status bar gives it), the dark colours and the pastels,
// and the lookup from a colour to its entry.
#pragma once

#include <QString>

#include "platform/color.h"

namespace palettecolors {

constexpr int kCount = 52;
constexpr int kThinkingCount = 28;  // entries 0-27; the rest take part in the lookup only
constexpr int kThinkingShown = 10;
constexpr int kFirstDark = 28;
constexpr int kDarkCount = 8;
constexpr int kFirstPastel = 36;
constexpr int kPastelCount = 16;

// Black for an index out of range.
TColorRef ColorOf(int index);
// The status-bar text of a swatch; empty for hidden entries and indices out of range.
QString HintOf(int index);
// The first entry holding exactly this colour: thinking table, then dark colours, then
// pastels; -1 when none does.
int IndexOf(TColorRef color);

}  // namespace palettecolors
