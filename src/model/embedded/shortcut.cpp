#include "model/embedded/shortcut.h"

#include <QPainter>
#include <algorithm>

#include "platform/canvas.h"
#include "platform/fileicon.h"
#include "platform/shell.h"
#include "platform/streams/binaryreader.h"
#include "platform/streams/binarywriter.h"

TShortCut::TShortCut() : TargetIcon(TFileIcon::ApplicationIcon()) {}

QString TShortCut::FileNamePart(const QString& path)
{
  const qsizetype cut =
      std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
  return path.mid(cut + 1);
}

void TShortCut::SetTarget(const QString& path)
{
  if (path == Target) return;
  Target = path;
  TargetIcon = TFileIcon::ForFile(path);
  if (TargetIcon.isNull()) TargetIcon = TFileIcon::ApplicationIcon();
}

void TShortCut::Activate(IShell& shell) const
{
  if (Target.isEmpty()) return;
  const QString name = FileNamePart(Target).toUpper();
  const bool sound = name.endsWith(QLatin1String(".WAV")) || name.endsWith(QLatin1String(".MID")) ||
                     name.endsWith(QLatin1String(".RMI"));
  if (sound) {
    const QString player = shell.FindProgramFor(Target);
    if (!player.isEmpty()) {
      shell.StartProgram(player, {QStringLiteral("/Play"), QStringLiteral("/Close"), Target}, true);
      return;
    }
  }
  // A missing target goes to the shell too, which tells the user in its own way.
  shell.OpenPath(Target);
}

void TShortCut::DrawBody(TCanvas& canvas, double offsetX, double offsetY, double zoom)
{
  if (TargetIcon.isNull()) return;
  // The icon fills the middle half of the upper half; the name is the text below it.
  const QPoint topLeft = canvas.ToPixel(X - Width / 4, Y - Height / 2, offsetX, offsetY, zoom);
  const QPoint bottomRight = canvas.ToPixel(X + Width / 4, Y, offsetX, offsetY, zoom);
  const QRect target = QRect(topLeft, bottomRight - QPoint(1, 1)).normalized();
  if (target.isEmpty()) return;
  // Icons come in a few sizes; a huge zoom asks for no more than the largest is worth.
  const QSize wanted = target.size().boundedTo(QSize(256, 256));
  const QPixmap pixmap = TargetIcon.pixmap(wanted);
  if (pixmap.isNull()) return;
  QPainter& painter = canvas.Painter();
  painter.save();
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
  painter.drawPixmap(target, pixmap);
  painter.restore();
}

void TShortCut::Recalculate(TObjectList* list, bool full)
{
  // A 64-pixel icon at the model's resolution, the same size on every screen.
  Width = 64.0 / kModelPixelsPerInch;
  Height = Width;
  // A refresh without full keeps this wider box until the next full one applies the rule.
  TextOffsetX = 0.0;
  TextOffsetY = 0.25;
  TextWidth = 1.0;
  TextHeight = 0.5;
  TClusteredObject::Recalculate(list, full);
}

TAnchorList TShortCut::AnchorRule() const
{
  const double w = Width;
  const double h = Height;
  return {{-w / 4, -h / 4}, {-w / 4, 0},     {-w / 2, 0}, {-w / 2, h / 4},
          {-w / 2, h / 2},  {-w / 4, h / 2}, {0, h / 2},  {w / 4, h / 2},
          {w / 2, h / 2},   {w / 2, h / 4},  {w / 2, 0},  {w / 4, 0},
          {w / 4, -h / 4},  {w / 4, -h / 2}, {0, -h / 2}, {-w / 4, -h / 2}};
}

void TShortCut::SaveToStream(TBinaryWriter& stream) const
{
  TClusteredObject::SaveToStream(stream);
  stream.WriteString(Target);
}

void TShortCut::LoadFromStream(TBinaryReader& stream)
{
  TClusteredObject::LoadFromStream(stream);
  const QString target = stream.ReadString();
  if (!target.isEmpty()) SetTarget(target);
}
