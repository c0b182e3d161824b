#include "support/modelgenerator.h"

#include <QString>
#include <cmath>

#include "model/arrow.h"
#include "model/cluster.h"
#include "model/cogi.h"
#include "model/outlines/shapegenerator.h"

namespace {

QByteArray Words(int i)
{
  static const char* const kWords[] = {"idea", "cause",  "effect",   "risk", "goal",
                                       "step", "option", "question", "fact", "value"};
  // A bold first word in colour, then plain words: a little of what real text carries.
  return QStringLiteral(
             "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red200\\green0"
             "\\blue0;}\\pard\\qc\\f0\\fs16\\b\\cf1 %1\\b0\\cf0  %2 %3\\par}")
      .arg(QString::fromLatin1(kWords[i % 10]), QString::fromLatin1(kWords[(i / 10) % 10]))
      .arg(i)
      .toLatin1();
}

}  // namespace

void TModelGenerator::Build(TModelDocument& document, int count)
{
  // Groups of nine hexagons on a 3 x 3 grid, each group with a cluster under it and arrows
  // along its rows; groups are laid out in a square.
  const int groups = std::max(1, count / 14);
  const int side = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(groups))));
  const double groupSize = 4.5;
  document.SetModelSize(
      std::max(1, static_cast<int>(std::ceil(side * groupSize / document.PageWidth))),
      std::max(1, static_cast<int>(std::ceil(side * groupSize / document.PageHeight))));
  int made = 0;
  for (int g = 0; g < groups && made < count; ++g) {
    const double gx = (g % side) * groupSize + 0.5;
    const double gy = (g / side) * groupSize + 0.5;
    auto* cluster = static_cast<TCluster*>(document.CreateObject(okCluster));
    cluster->X = gx + 1.75;
    cluster->Y = gy + 1.75;
    cluster->Width = 4.0;
    cluster->Height = 4.0;
    cluster->ShapeVariant = static_cast<std::uint8_t>(g % 2 ? 11 : 9);
    cluster->Outline = MakeShapeOutline(okCluster, cluster->ShapeVariant, 4.0, 4.0);
    cluster->FaceColor = 0xF0F0FF;
    ++made;
    TCogi* previous = nullptr;
    for (int i = 0; i < 9 && made < count; ++i) {
      auto* cogi = static_cast<TCogi*>(document.CreateObject(okCogi));
      cogi->X = gx + 0.5 + (i % 3) * 1.25;
      cogi->Y = gy + 0.5 + (i / 3) * 1.25;
      cogi->SetShape(made % 17, 0);
      cogi->Text = Words(made);
      cogi->FaceColor = TFilled::RandomFaceColor();
      cogi->ShowNumber = true;
      ++made;
      if (previous && i % 3 != 0 && made < count) {
        auto* arrow = static_cast<TArrow*>(document.CreateObject(okArrow));
        TArrow::AttachArrowEnd(previous, arrow, -1, TArrowEnd::Start);
        TArrow::AttachArrowEnd(cogi, arrow, -1, TArrowEnd::Finish);
        ++made;
      }
      previous = cogi;
    }
  }
  for (CGPObject* object : document.Objects)
    object->Recalculate(&document.Objects, true);
}
