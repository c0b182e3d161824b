#include "app/palette/palettecolors.h"

#include <array>

namespace palettecolors {

namespace {

struct TEntry {
  TColorRef Color;
  const char* Hint;
};

constexpr std::array<TEntry, kCount> kEntries = {{
    // Thinking colours; only the first ten are shown.
    {MakeColorRef(255, 255, 255),
     "White - Receptivity and learning factors.  Exploring and questioning processes."},
    {MakeColorRef(255, 255, 80), "Yellow - Positives.  Opportunities.  Expansions.  Solutions."},
    {MakeColorRef(19, 236, 30), "Green - Innovations.  Creations.  New ideas.  Breakthroughs."},
    {MakeColorRef(136, 136, 255), "Blue - Holistic ideas.  Overviews.  Trends.  Plans.  Maps."},
    {MakeColorRef(234, 136, 255), "Violet - Mission statements.  Ideals.  Goals.  Objectives."},
    {MakeColorRef(214, 214, 214),
     "Grey - Facts.  Information.  Questions.  Dilemmas.  Weaknesses."},
    {MakeColorRef(136, 136, 136), "Dark Grey - Negatives.  Threats.  Blockages.  Problems."},
    {MakeColorRef(210, 131, 38), "Brown - Judgements.  Assessments.  Actions.  Routines."},
    {MakeColorRef(255, 165, 66),
     "Orange - Identities.  Systemic factors.  Moving parts.  Functions."},
    {MakeColorRef(255, 0, 0),
     "Red - Assertions.  Feelings.  Urgent issues.  Priorities.  Appointments."},
    {MakeColorRef(160, 0, 160), ""},
    {MakeColorRef(0, 167, 160), ""},
    {MakeColorRef(255, 255, 128), ""},
    {MakeColorRef(224, 224, 224), ""},
    {MakeColorRef(180, 255, 180), ""},
    {MakeColorRef(0, 200, 0), ""},
    {MakeColorRef(0, 0, 0), ""},
    {MakeColorRef(210, 210, 255), ""},
    {MakeColorRef(0, 128, 128), ""},
    {MakeColorRef(0, 167, 0), ""},
    {MakeColorRef(212, 80, 0), ""},
    {MakeColorRef(80, 248, 255), ""},
    {MakeColorRef(0, 0, 160), ""},
    {MakeColorRef(255, 180, 0), ""},
    {MakeColorRef(255, 180, 255), ""},
    {MakeColorRef(255, 180, 180), ""},
    {MakeColorRef(160, 80, 160), ""},
    {MakeColorRef(160, 0, 0), ""},
    // Dark colours.
    {MakeColorRef(0, 0, 0), "Black"},
    {MakeColorRef(0, 0, 179), "Dark Blue"},
    {MakeColorRef(0, 128, 0), "Dark Green"},
    {MakeColorRef(160, 0, 0), "Dark Red"},
    {MakeColorRef(140, 70, 0), "Dark Brown"},
    {MakeColorRef(159, 0, 159), "Dark Violet"},
    {MakeColorRef(64, 128, 128), "Dark Turquoise"},
    {MakeColorRef(150, 150, 0), "Dark Yellow"},
    // Pastels.
    {MakeColorRef(253, 220, 189), "Pale Coffee"},
    {MakeColorRef(255, 230, 204), "Pastel Coffee"},
    {MakeColorRef(250, 225, 222), "Light Purple"},
    {MakeColorRef(255, 204, 255), "Pastel Purple"},
    {MakeColorRef(230, 255, 255), "Pastel Sky"},
    {MakeColorRef(255, 238, 206), "Biscuit"},
    {MakeColorRef(255, 255, 176), "Pastel Yellow"},
    {MakeColorRef(255, 255, 217), "Cream"},
    {MakeColorRef(228, 255, 202), "Pastel Apple"},
    {MakeColorRef(215, 215, 255), "Rich Blue"},
    {MakeColorRef(222, 222, 190), "Mid Olive"},
    {MakeColorRef(230, 230, 230), "Pale Grey"},
    {MakeColorRef(230, 255, 230), "Light Green"},
    {MakeColorRef(213, 255, 213), "Pastel Green"},
    {MakeColorRef(225, 254, 171), "Pastel Olive"},
    {MakeColorRef(196, 236, 255), "Light Blue"},
}};

bool InRange(int index)
{
  return index >= 0 && index < kCount;
}

}  // namespace

TColorRef ColorOf(int index)
{
  return InRange(index) ? kEntries[static_cast<std::size_t>(index)].Color : colors::Black;
}

QString HintOf(int index)
{
  return InRange(index) ? QString::fromLatin1(kEntries[static_cast<std::size_t>(index)].Hint)
                        : QString();
}

int IndexOf(TColorRef color)
{
  // The table is already in lookup order: thinking colours, dark colours, pastels.
  for (int i = 0; i < kCount; ++i)
    if (kEntries[static_cast<std::size_t>(i)].Color == color) return i;
  return -1;
}

}  // namespace palettecolors
