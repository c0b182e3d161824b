#include "model/layers/gateway.h"

#include <QFileInfo>
#include <QMimeDatabase>
#include <QPainter>
#include <QUrl>
#include <algorithm>

#include "model/filekind.h"
#include "platform/canvas.h"
#include "platform/rounding.h"
#include "platform/streams/binaryreader.h"
#include "platform/streams/binarywriter.h"

namespace {

QString LocalPath(const QString& link)
{
  if (link.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) return QUrl(link).toLocalFile();
  QString path = link;
  return path.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

QIcon ResourceIcon(const char* name)
{
  return QIcon(QStringLiteral(":/icons/") + QLatin1String(name) + QStringLiteral(".png"));
}

QIcon FileIcon(const QString& path)
{
  const QMimeType type = QMimeDatabase().mimeTypeForFile(path);
  const QIcon document = ResourceIcon("document");
  if (!type.isValid()) return document;
  return QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName(), document));
}

}  // namespace

std::optional<TSpecialLink> TGateway::ParseSpecialLink(const QString& link)
{
  if (link.compare(QLatin1String("CGPTOLASTMODEL"), Qt::CaseInsensitive) == 0)
    return TSpecialLink{TSpecialLink::TKind::LastModel, 0};
  if (link.compare(QLatin1String("CGPTOCONTROLMODEL"), Qt::CaseInsensitive) == 0)
    return TSpecialLink{TSpecialLink::TKind::ControlModel, 0};
  if (link.compare(QLatin1String("CGPTOMAINVIEW"), Qt::CaseInsensitive) == 0)
    return TSpecialLink{TSpecialLink::TKind::MainView, 0};
  // A help topic is the seven letters, any one separator and a decimal context; anything
  // else that merely starts with those letters is an ordinary address.
  if (link.size() < 9 || !link.startsWith(QLatin1String("CGPHELP"), Qt::CaseInsensitive))
    return std::nullopt;
  const QString digits = link.mid(8);
  for (const QChar c : digits)
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
  bool ok = false;
  const int context = digits.toInt(&ok);
  if (!ok) return std::nullopt;
  return TSpecialLink{TSpecialLink::TKind::Help, context};
}

bool TGateway::IsPathLink(const QString& link)
{
  return link.contains(QLatin1Char('\\')) || link.startsWith(QLatin1Char('/')) ||
         link.startsWith(QLatin1String("file:"), Qt::CaseInsensitive);
}

TLinkIconKind TGateway::ChooseLinkIcon(const QString& link, bool hasLinkedModel)
{
  if (link.isEmpty()) return hasLinkedModel ? TLinkIconKind::Model : TLinkIconKind::None;
  if (FileKindOf(link) == kFileModel) return TLinkIconKind::Model;
  if (const auto special = ParseSpecialLink(link)) {
    switch (special->Kind) {
      case TSpecialLink::TKind::Help:
        return TLinkIconKind::Help;
      case TSpecialLink::TKind::LastModel:
        return TLinkIconKind::LastModel;
      case TSpecialLink::TKind::ControlModel:
        return TLinkIconKind::ControlModel;
      case TSpecialLink::TKind::MainView:
        return TLinkIconKind::MainView;
    }
  }
  if (IsPathLink(link))
    return QFileInfo::exists(LocalPath(link)) ? TLinkIconKind::File : TLinkIconKind::Fallback;
  return TLinkIconKind::Web;
}

void TGateway::SetLink(const QString& link, TModelDocument* linkedModel)
{
  Link = link;
  LinkedModel = linkedModel;
  LinkIconKind = ChooseLinkIcon(link, linkedModel != nullptr);
  icon_.reset();
}

const QIcon& TGateway::LinkIcon() const
{
  if (icon_) return *icon_;
  QIcon icon;
  switch (LinkIconKind) {
    case TLinkIconKind::None:
      break;
    case TLinkIconKind::Application:
      icon = ResourceIcon("application");
      break;
    case TLinkIconKind::Model:
      icon = ResourceIcon("behive");
      break;
    case TLinkIconKind::LastModel:
      icon = ResourceIcon("tolastmodel");
      break;
    case TLinkIconKind::ControlModel:
      icon = ResourceIcon("tocontrolmodel");
      break;
    case TLinkIconKind::MainView:
      icon = ResourceIcon("tomainview");
      break;
    case TLinkIconKind::Help:
      icon = ResourceIcon("help");
      break;
    case TLinkIconKind::File:
      icon = FileIcon(LocalPath(Link));
      break;
    case TLinkIconKind::Web:
      icon = ResourceIcon("globe");
      break;
    case TLinkIconKind::Fallback:
      icon = ResourceIcon("fallback");
      break;
  }
  if (icon.isNull() && LinkIconKind != TLinkIconKind::None) icon = ResourceIcon("fallback");
  icon_ = icon;
  return *icon_;
}

namespace {

QSize IconSize(const TCanvas& canvas, double zoom)
{
  return {std::max(1, RoundHalfEven(0.16 * canvas.ScaleX(zoom))),
          std::max(1, RoundHalfEven(0.16 * canvas.ScaleY(zoom)))};
}

}  // namespace

void TGateway::PrepareIconImage(const TCanvas& canvas, double zoom) const
{
  iconImage_ = QImage();
  if (zoom <= 30 || !HasGateway()) return;
  const QIcon& icon = LinkIcon();
  if (!icon.isNull()) iconImage_ = icon.pixmap(IconSize(canvas, zoom)).toImage();
}

void TGateway::DrawGatewayIcon(TCanvas& canvas, double angle, double offsetX, double offsetY,
                               double zoom) const
{
  if (zoom <= 30 || !HasGateway()) return;
  const TModelPoint centre = RotateOffset(Centre(), IconX * Width, IconY * Height, angle);
  const QPoint topLeft = canvas.ToPixel(centre.X - 0.08, centre.Y - 0.08, offsetX, offsetY, zoom);
  const QRect target(topLeft, IconSize(canvas, zoom));
  if (canvas.SharedDrawing()) {
    // The raster engine draws a pixmap as its image, so the pixels are the same.
    if (!iconImage_.isNull()) canvas.Painter().drawImage(target, iconImage_);
    return;
  }
  const QIcon& icon = LinkIcon();
  if (icon.isNull()) return;
  canvas.Painter().drawPixmap(target, icon.pixmap(target.size()));
}

void TGateway::Recalculate(TObjectList* list, bool full)
{
  if (full) {
    const TModelPoint position = IconPositionRule();
    IconX = position.X;
    IconY = position.Y;
  }
  TFilled::Recalculate(list, full);
}

void TGateway::SaveToStream(TBinaryWriter& stream) const
{
  TFilled::SaveToStream(stream);
  stream.WriteString(Link);
  // A run-time window reference has no meaning in a file.
  stream.WriteInt32(0);
}

void TGateway::LoadFromStream(TBinaryReader& stream)
{
  TFilled::LoadFromStream(stream);
  const QString link = stream.ReadString();
  stream.ReadInt32();  // the writer's window reference, never used
  if (!link.isEmpty()) SetLink(link, nullptr);
}
