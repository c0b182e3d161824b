#include "model/embedded/clipart.h"

#include <QPainterPath>

#include "platform/canvas.h"
#include "platform/pictures/picturecodec.h"
#include "render/picturepainter.h"
#include "render/placeholderpainter.h"

TClipart::TClipart()
{
  LineStyle = kLineNone;
}

void TClipart::SetPicture(const TPicture& picture, TScreenResolution screen)
{
  Picture = picture;
  if (picture.IsEmpty() || screen.DpiX <= 0 || screen.DpiY <= 0) return;
  Width = picture.Width() / screen.DpiX;
  Height = picture.Height() / screen.DpiY;
}

void TClipart::DrawBody(TCanvas& canvas, double offsetX, double offsetY, double zoom)
{
  const QRect box = GetScreenBox(canvas, offsetX, offsetY, zoom).Normalized().ToQRect();
  const TPicture* picture = Picture ? &*Picture : nullptr;
  if (!TPicturePainter::IsDrawable(picture))
    TPlaceholderPainter::DrawCross(canvas, box);
  else if (picture->Image().isNull())
    // Metafiles and undecodable JPEG images keep a size without an image: we cannot draw
    // them, but they are there.
    TPlaceholderPainter::DrawMetafile(canvas, box);
  else
    TPicturePainter::StretchPicture(canvas, box, picture);
  if (Style3D != 0 || LineStyle == kLineNone) return;
  QPainterPath path;
  path.addRect(QRectF(box));
  StrokeArea(canvas, path, zoom);
}

void TClipart::SaveToStream(TBinaryWriter& stream) const
{
  TGateway::SaveToStream(stream);
  WritePicture(stream, Picture);
}

void TClipart::LoadFromStream(TBinaryReader& stream)
{
  TGateway::LoadFromStream(stream);
  Picture = ReadPicture(stream);
}
