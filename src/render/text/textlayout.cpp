#include "render/text/textlayout.h"

std::size_t TTextLayout::Add(const TTextLine& line)
{
  entries_.emplace_back(line);
  return entries_.size() - 1;
}

void TTextLayout::SetLine(std::size_t index, const TTextLine& line)
{
  if (index < entries_.size() && std::holds_alternative<TTextLine>(entries_[index]))
    entries_[index] = line;
}

double TTextLayout::TotalHeight() const
{
  double height = 0.0;
  for (const TTextLayoutEntry& entry : entries_)
    if (const auto* line = std::get_if<TTextLine>(&entry)) height += line->Height;
  return height;
}
