#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <variant>

#include "document/modeldocument.h"
#include "io/modelstream.h"
#include "model/cluster.h"
#include "model/cogi.h"
#include "model/embedded/shortcut.h"
#include "model/outlines/shapegenerator.h"
#include "model/shapes/label.h"
#include "platform/printerinfo.h"
#include "platform/screenmetrics.h"
#include "platform/text/rtfwriter.h"

namespace {

// Plays a screen of another resolution for as long as it lives.
class TOtherScreen {
 public:
  explicit TOtherScreen(double dpi) { OverrideScreenResolution(TScreenResolution{dpi, dpi}); }
  ~TOtherScreen() { OverrideScreenResolution(std::nullopt); }
};

TCogi* AddCogi(TModelDocument& document, double x, double y, const QString& text = QString())
{
  auto* cogi = static_cast<TCogi*>(document.CreateObject(okCogi));
  cogi->X = x;
  cogi->Y = y;
  cogi->SetShape(kCogiVariantHexagon, kCogiSmall);
  if (!text.isEmpty()) cogi->Text = TRtfWriter::CentredText(text);
  cogi->Recalculate(&document.Objects, true);
  return cogi;
}

TCluster* AddCluster(TModelDocument& document, double x, double y, int variant, bool fit)
{
  auto* cluster = static_cast<TCluster*>(document.CreateObject(okCluster));
  cluster->X = x;
  cluster->Y = y;
  cluster->Width = 4;
  cluster->Height = 3;
  cluster->ShapeVariant = static_cast<std::uint8_t>(variant);
  cluster->Outline = MakeShapeOutline(okCluster, variant, 4, 3);
  cluster->FitMembers = fit;
  cluster->ClusterMargin = 0;
  cluster->Recalculate(&document.Objects, true);
  return cluster;
}

// A cluster fitted round a member with wrapped text and a shortcut; hexagons reaching to
// another cluster's edge by fractions of a pixel; two hexagons whose tops differ by less
// than a pixel; a clear label sized by its text.
QByteArray EdgeCaseModel()
{
  TDefaultPrinter printer;
  TModelDocument document(&printer);
  AddCluster(document, 4, 4, 11, true);
  AddCogi(document, 4, 4, QStringLiteral("a middle member whose words wrap over lines"));
  auto* shortcut = static_cast<TShortCut*>(document.CreateObject(okShortCut));
  shortcut->X = 3;
  shortcut->Y = 5.2;
  shortcut->Recalculate(&document.Objects, true);
  // A box whose right edge is at x = 6, and hexagons whose flat left sides lie a fraction of a
  // pixel to either side of it.
  AddCluster(document, 4, 9, 3, false);
  const double touching = 6 + 0.625;  // half a small hexagon's width beyond the edge
  AddCogi(document, touching - 1 / 192.0, 8.2);
  AddCogi(document, touching - 1 / 300.0, 9.0);
  AddCogi(document, touching + 1 / 400.0, 9.8);
  AddCogi(document, 10, 1.0);
  AddCogi(document, 9, 1.004);
  auto* label = static_cast<TLabel*>(document.CreateObject(okLabel));
  label->X = 10;
  label->Y = 6;
  label->FillStyle = kFillClear;
  label->Text = TRtfWriter::CentredText(QStringLiteral("a label as wide as its words"));
  label->Recalculate(&document.Objects, true);
  return TModelStream::WriteModel(document, false);
}

// What the model measured: every object's box, cluster, number and line lengths, after
// reading the file, after renumbering everything and after deleting a member.
std::string Measures(TModelDocument& document)
{
  std::ostringstream out;
  out.precision(12);
  const auto describe = [&] {
    for (CGPObject* object : document.Objects) {
      object->EnsureTextLayout();
      out << object->KindCode() << ' ' << object->X << ' ' << object->Y << ' ' << object->Width
          << ' ' << object->Height << " #" << object->Number;
      if (const auto* member = dynamic_cast<const TClusteredObject*>(object))
        out << " in " << document.IndexOf(member->Cluster);
      out << " lines";
      for (const TTextLayoutEntry& entry : object->TextLayout.Entries())
        if (const auto* line = std::get_if<TTextLine>(&entry)) out << ' ' << line->CharCount;
      out << '\n';
    }
    out << "--\n";
  };
  describe();
  document.SelectAll();
  document.RenumberSelection(1);
  document.StingObject(document.Objects[1]);
  describe();
  return out.str();
}

std::string MeasuredOnScreen(const QByteArray& file, double dpi)
{
  TOtherScreen screen(dpi);
  TDefaultPrinter printer;
  TModelDocument document(&printer);
  document.ScreenDpiX = dpi;
  document.ScreenDpiY = dpi;
  TModelStream::ReadModel(document, file, false);
  return Measures(document);
}

}  // namespace

TEST(ScreenResolution, AModelMeasuresTheSameOnA96And144DpiScreen)
{
  const QByteArray file = EdgeCaseModel();
  const std::string at96 = MeasuredOnScreen(file, 96);
  EXPECT_EQ(at96, MeasuredOnScreen(file, 144));
  // The model does reach what is compared: members, a wrapped text and a sized label.
  EXPECT_NE(at96.find(" in 0 lines"), std::string::npos) << at96;
  EXPECT_NE(at96.find("4 3 5.2 0.666666666667 0.666666666667"), std::string::npos) << at96;
}
