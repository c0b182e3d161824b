#include "render/text/textdrawer.h"

#include <QPaintDevice>

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <cmath>

#include "geometry/geometry.h"
#include "platform/canvas.h"
#include "platform/rounding.h"
#include "render/text/textmeasurer.h"

namespace {

// The bullet is the Symbol font's character 0xB7; fonts without it fall back to a font that
// has U+2022, which is the same bullet.
const char* const kBulletFont = "Symbol";
constexpr char32_t kBulletChar = 0x2022;

struct TParagraphState {
  int Alignment = 0;
  bool Bullet = false;
  double FirstIndent = 0.0;
  double LeftIndent = 0.0;
  bool FirstCharDue = false;
  int Line = 0;  // lines of the paragraph drawn so far
};

double LineStart(const TParagraphState& p, const TTextLine& line, double bw)
{
  // A plain paragraph's first line starts at the first-line indent, as the wrapping gave it
  // room for; bulleted text and every later line start at the left indent.
  const double indent = p.Line == 0 && !p.Bullet ? p.FirstIndent : p.FirstIndent + p.LeftIndent;
  const double f = indent - bw / 2.0;
  switch (p.Alignment) {
    case 0:
      return f;
    case 1:
      return bw / 2.0 - line.Width;
    case 2:
      return f + (bw / 2.0 - f) / 2.0 - line.Width / 2.0;
    default:
      return -bw / 2.0;
  }
}

bool SameFont(const TPlacedGlyph& a, const TPlacedGlyph& b)
{
  return a.FontName == b.FontName && a.ExactPixelSize == b.ExactPixelSize && a.Weight == b.Weight &&
         a.Italic == b.Italic && a.Underline == b.Underline && a.StrikeOut == b.StrikeOut;
}

}  // namespace

TTextBox ObjectTextBox(TModelPoint centre, double width, double height, double textOffsetX,
                       double textOffsetY, double textWidth, double textHeight, double angle)
{
  return {RotateOffset(centre, textOffsetX * width, textOffsetY * height, angle), textWidth * width,
          textHeight * height};
}

double UprightTextAngle(double angle)
{
  if (!std::isfinite(angle)) return 0.0;
  double a = std::fmod(angle, 360.0);
  if (a < 0.0) a += 360.0;
  if (a > 89.0 && a < 270.0) a = std::fmod(a + 180.0, 360.0);
  return a;
}

TModelPoint TextShadowOffset(int shadow, bool style3D)
{
  const double s = style3D ? 5.0 / 24.0 : 1.0 / 12.0;
  switch (shadow) {
    case 1:
      return {s, s};
    case 2:
      return {-s, s};
    case 3:
      return {-s, -s};
    case 4:
      return {s, -s};
    default:
      return {0.0, 0.0};
  }
}

TTextDrawer::TTextDrawer(TCanvas& canvas, double offsetX, double offsetY, double zoom)
    : canvas_(canvas), offsetX_(offsetX), offsetY_(offsetY), zoom_(zoom)
{
}

QPoint TTextDrawer::ToPixel(TModelPoint p) const
{
  return canvas_.ToPixel(p.X, p.Y, offsetX_, offsetY_, zoom_);
}

QPolygonF TTextDrawer::ClipPolygon(const TTextBox& box, double angle, int shadow,
                                   bool style3D) const
{
  const TModelPoint d = TextShadowOffset(shadow, style3D);
  const TModelPoint c{box.Centre.X + d.X, box.Centre.Y + d.Y};
  const double hw = 1.1 * box.Width / 2.0;
  const double hh = box.Height / 2.0;
  QPolygonF polygon;
  for (const auto& [dx, dy] : {std::pair{-hw, -hh}, {hw, -hh}, {hw, hh}, {-hw, hh}})
    polygon << QPointF(ToPixel(RotateOffset(c, dx, dy, angle)));
  return polygon;
}

std::vector<TPlacedGlyph> TTextDrawer::Place(const TTextLayout& layout, const TTextBox& box,
                                             double angle, int shadow, bool style3D) const
{
  std::vector<TPlacedGlyph> glyphs;
  if (layout.Empty()) return glyphs;
  const TModelPoint d = TextShadowOffset(shadow, style3D);
  const TModelPoint centre{box.Centre.X + d.X, box.Centre.Y + d.Y};
  const double textAngle = UprightTextAngle(angle);
  const double bw = box.Width;

  TParagraphState p;
  double y = -layout.TotalHeight() / 2.0;
  double x = 0.0;
  double baseline = 0.0;
  const auto place = [&](const TTextCharacter& c, double at, bool bullet) {
    glyphs.push_back(
        PlaceGlyph(c, RotateOffset(centre, at, baseline, textAngle), textAngle, bullet, shadow));
  };
  for (const TTextLayoutEntry& entry : layout.Entries()) {
    if (const auto* paragraph = std::get_if<TTextParagraph>(&entry)) {
      p = {paragraph->Alignment,
           paragraph->Bullet == 1,
           paragraph->FirstIndent,
           paragraph->LeftIndent,
           true,
           0};
    } else if (const auto* line = std::get_if<TTextLine>(&entry)) {
      y += line->Height;
      baseline = y - line->Descent;
      x = LineStart(p, *line, bw);
      ++p.Line;
    } else if (const auto* c = std::get_if<TTextCharacter>(&entry)) {
      if (p.FirstCharDue && p.Bullet) place(*c, x - p.LeftIndent, true);
      p.FirstCharDue = false;  // once, even when the paragraph starts with a tab
      if (c->Char == U'\t') {
        x += TTextMeasurer::kTabWidth;
        continue;
      }
      place(*c, x, false);
      x += c->Width;
    }
  }
  return glyphs;
}

TPlacedGlyph TTextDrawer::PlaceGlyph(const TTextCharacter& c, TModelPoint at, double angle,
                                     bool bullet, int shadow) const
{
  const double sx = canvas_.ScaleX(zoom_);
  TPlacedGlyph g;
  g.Char = bullet ? kBulletChar : c.Char;
  g.Pixel = ToPixel(at);
  g.Angle = angle;
  g.FontName = bullet ? QString::fromLatin1(kBulletFont) : c.FontName;
  g.PixelSize = std::max(1, std::abs(RoundHalfEven(c.Size * sx)));
  g.ExactPixelSize = std::max(0.5, std::abs(c.Size * sx));
  g.Weight = bullet ? 400 : c.Weight;
  g.Italic = !bullet && c.Italic;
  g.Underline = !bullet && c.Underline;
  g.StrikeOut = !bullet && c.StrikeOut;
  g.Color = shadow != 0 ? colors::TextShadowGrey : c.Color;
  g.Bullet = bullet;
  return g;
}

void TTextDrawer::Draw(const TTextLayout& layout, const TTextBox& box, double angle, int shadow,
                       bool style3D)
{
  DrawGlyphs(Place(layout, box, angle, shadow, style3D), ClipPolygon(box, angle, shadow, style3D));
}

void TTextDrawer::DrawGlyphs(const std::vector<TPlacedGlyph>& glyphs, const QPolygonF& clipPolygon)
{
  if (glyphs.empty()) return;
  QPainter& painter = canvas_.Painter();
  painter.save();
  if (!clipPolygon.isEmpty()) {
    QPainterPath clip;
    clip.addPolygon(clipPolygon);
    clip.closeSubpath();
    painter.setClipPath(clip, painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
  }
  painter.setBackgroundMode(Qt::TransparentMode);
  const QTransform base = painter.worldTransform();
  const TPlacedGlyph* previous = nullptr;
  for (const TPlacedGlyph& g : glyphs) {
    // Fonts and colours are selected only when they change from one character to the next.
    if (!previous || !SameFont(*previous, g)) {
      QFont font(g.FontName);
      // Whole pixel sizes would make small glyphs wider or narrower than their advances;
      // a fractional size keeps the text's proportions at every zoom.
      const QPaintDevice* device = painter.device();
      const double deviceDpi = device && device->logicalDpiY() > 0 ? device->logicalDpiY() : 96.0;
      font.setPointSizeF(g.ExactPixelSize * 72.0 / deviceDpi);
      font.setWeight(static_cast<QFont::Weight>(std::clamp(g.Weight, 100, 900)));
      font.setItalic(g.Italic);
      font.setUnderline(g.Underline);
      font.setStrikeOut(g.StrikeOut);
      font.setKerning(false);
      if (g.Angle != 0.0) font.setStyleStrategy(QFont::ForceOutline);
      painter.setFont(font);
    }
    if (!previous || previous->Color != g.Color) painter.setPen(ToQColor(g.Color));
    const QString text = QString::fromUcs4(&g.Char, 1);
    if (g.Angle == 0.0) {
      // Text along an arc mixes upright characters with turned ones.
      painter.setWorldTransform(base);
      painter.drawText(g.Pixel, text);
    } else {
      QTransform turn = base;
      turn.translate(g.Pixel.x(), g.Pixel.y());
      turn.rotate(g.Angle);
      painter.setWorldTransform(turn);
      painter.drawText(QPoint(0, 0), text);
    }
    previous = &g;
  }
  painter.restore();
}

void DrawObjectText(TCanvas& canvas, const TTextLayout& layout, const TTextBox& box, double angle,
                    double offsetX, double offsetY, double zoom, int shadow, bool style3D)
{
  TTextDrawer(canvas, offsetX, offsetY, zoom).Draw(layout, box, angle, shadow, style3D);
}
