#include "interaction/invertedfigure.h"

#include "document/overlay.h"

void TInvertedFigure::Draw(TOverlay& overlay, TDraw draw)
{
  draw(overlay);
  draw_ = std::move(draw);
  generation_ = overlay.Generation();
}

void TInvertedFigure::Erase(TOverlay& overlay)
{
  if (Shown(overlay)) draw_(overlay);
  draw_ = nullptr;
}

bool TInvertedFigure::Shown(const TOverlay& overlay) const
{
  return draw_ && generation_ == overlay.Generation();
}
