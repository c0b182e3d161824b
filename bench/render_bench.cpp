// Paints 10,000 hexagons the way objects will, with the common attributes (solid fill and
// solid line) and with the costlier ones (shadow, 3-D, pattern, gradient, dashed line),
// and prints how long a paint takes. Then draws the picture of a generated model of
// 10,000 objects at 6341 x 5587 whole on one thread and in bands on every core, and packs it
// as a PNG file, and writes its SVG.
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <thread>

#include "document/bandedpicture.h"
#include "document/modelpainter.h"
#include "geometry/outline.h"
#include "io/pictures/modelpictures.h"
#include "io/pictures/svgpicture.h"
#include "platform/canvas.h"
#include "platform/pictures/pngencoder.h"
#include "render/extrusionpainter.h"
#include "render/fillpainter.h"
#include "render/linerenderer.h"
#include "render/shadowpainter.h"
#include "support/modelgenerator.h"

namespace {

TOutline Hexagon(double w, double h)
{
  TOutline outline;
  for (const auto& [x, y] : {std::pair{-w / 2, 0.0},
                             {-w / 4, -h / 2},
                             {w / 4, -h / 2},
                             {w / 2, 0.0},
                             {w / 4, h / 2},
                             {-w / 4, h / 2},
                             {-w / 2, 0.0}})
    AppendLine(outline, x, y);
  return outline;
}

struct TAttributes {
  int FillStyle = 0;
  int LineStyle = 0;
  int Shadow = 0;
  int Style3D = 0;
};

double PaintMilliseconds(const TAttributes& a, int repeats)
{
  QImage image(1600, 1000, QImage::Format_RGB32);
  image.setDotsPerMeterX(3780);
  image.setDotsPerMeterY(3780);
  const TOutline hexagon = Hexagon(0.5, 0.4);
  QElapsedTimer timer;
  timer.start();
  for (int r = 0; r < repeats; ++r) {
    image.fill(Qt::white);
    QPainter painter(&image);
    TCanvas canvas(painter);
    for (int i = 0; i < 10000; ++i) {
      const TModelPoint centre{0.3 + (i % 100) * 0.16, 0.3 + (i / 100) * 0.1};
      TShadowPainter::DrawOutlineShadow(canvas, hexagon, centre, 0, true, a.LineStyle, 0.75,
                                        a.Shadow, a.Style3D, 0, 0, 100);
      TExtrusionPainter::DrawExtrusion(canvas, hexagon, centre, 0, a.Style3D, 0x80C0FF,
                                       TExtrusionPainter::TFaceFill::Filled, 0, 0, 100);
      const QPainterPath path = OutlinePath(canvas, hexagon, 0, 100, 0, 0, centre);
      TFillPainter::FillPath(canvas, path, a.FillStyle, 100, 7, 6, nullptr, true, 0x80C0FF,
                             0x0000FF);
      TLineRenderer::StrokePath(canvas, path, a.LineStyle, 0, 100, 0.75);
    }
  }
  return double(timer.nsecsElapsed()) / 1e6 / repeats;
}

// The best of three runs of a piece of work, in milliseconds of wall time; the processor
// time of all its threads in that run goes to cpu (on a shared machine the wall time alone
// says little about work spread over cores).
double BestOfThree(const std::function<void()>& work, double* cpu = nullptr)
{
  double best = 0.0;
  for (int run = 0; run < 3; ++run) {
    QElapsedTimer timer;
    timer.start();
    const std::clock_t start = std::clock();
    work();
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    if (run == 0 || ms < best) {
      best = ms;
      if (cpu) *cpu = double(std::clock() - start) * 1000.0 / CLOCKS_PER_SEC;
    }
  }
  return best;
}

void WholeModelPictures()
{
  TModelDocument document;
  TModelGenerator::Build(document, 10000);
  const QSize size(6341, 5587);
  const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  std::printf("model of %zu objects, picture %d x %d, %d cores\n", document.Objects.size(),
              size.width(), size.height(), cores);
  QImage image(size, QImage::Format_RGB32);
  double cpu = 0.0;
  const double whole = BestOfThree(
      [&] {
        image.fill(Qt::white);
        TModelPainter(document).RenderToBitmap(image);
      },
      &cpu);
  std::printf("  drawn whole on one thread           %8.1f ms (processor %.1f ms)\n", whole, cpu);
  const double banded = BestOfThree(
      [&] {
        image.fill(Qt::white);
        TBandedPicture(document, image, 4 * cores).Draw(cores);
      },
      &cpu);
  std::printf("  drawn in bands on %d threads         %8.1f ms (processor %.1f ms)\n", cores,
              banded, cpu);
  const double encoded = BestOfThree([&] { TPngEncoder::Encode(image); });
  std::printf("  packed as PNG after drawing         %8.1f ms\n", encoded);
  const double png = BestOfThree([&] { TModelPictures::Png(document, size); });
  std::printf("  PNG drawn and packed together       %8.1f ms\n", png);
  qsizetype bytes = 0;
  const double svg = BestOfThree(
      [&] { bytes = TSvgPicture::Write(document, QSize(1600, 1410), 96, QString()).size(); });
  std::printf("  SVG written (%lld bytes)       %8.1f ms\n", static_cast<long long>(bytes), svg);
}

}  // namespace

int main(int argc, char** argv)
{
  QGuiApplication app(argc, argv);
  const struct {
    const char* Name;
    TAttributes Attributes;
  } cases[] = {
      {"solid fill, solid line", {0, 0, 0, 0}},   {"solid fill, dashed line", {0, 3, 0, 0}},
      {"pattern fill, solid line", {2, 0, 0, 0}}, {"gradient fill, solid line", {4, 0, 0, 0}},
      {"solid fill, shadow", {0, 0, 1, 0}},       {"solid fill, 3-D", {0, 0, 0, 1}},
  };
  for (const auto& c : cases)
    std::printf("10000 hexagons, %-26s %8.1f ms\n", c.Name, PaintMilliseconds(c.Attributes, 3));
  WholeModelPictures();
  return 0;
}
