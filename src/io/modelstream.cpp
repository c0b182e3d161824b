#include "io/modelstream.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>
#include <cmath>
#include <cstring>
#include <limits>

#include "document/documentobserver.h"
#include "document/modeldocument.h"
#include "document/modelpainter.h"
#include "document/modelview.h"
#include "model/arrow.h"
#include "model/cluster.h"
#include "model/kindcast.h"
#include "platform/pictures/picturecodec.h"
#include "platform/streams/binaryreader.h"
#include "platform/streams/binarywriter.h"
#include "platform/streams/streamerror.h"

namespace {

const QString kReadError =
    QStringLiteral("Stream read error: the model file is damaged or incomplete");

void WritePoint(TBinaryWriter& out, TModelPoint p)
{
  out.WriteDouble(p.X);
  out.WriteDouble(p.Y);
}

double Finite(double value, double fallback)
{
  return std::isfinite(value) ? value : fallback;
}

TModelPoint ReadPoint(TBinaryReader& in)
{
  const double x = in.ReadDouble();
  const double y = in.ReadDouble();
  return {Finite(x, 0.0), Finite(y, 0.0)};
}

void WriteHeader(TBinaryWriter& out, const TModelDocument& d)
{
  out.WriteString(d.CreatedBy);
  out.WriteString(d.SavedBy);
  out.WriteString(d.Keywords);
  out.WriteDouble(d.CreatedTime);
  out.WriteDouble(d.SavedTime);
  out.WriteInt32(d.ReservedNumber);
  out.WriteString(d.ReservedText);
  out.WriteByte(d.Orientation);
  out.WriteDouble(d.PaperWidth);
  out.WriteDouble(d.PaperHeight);
  out.WriteDouble(d.PageHeight);
  out.WriteDouble(d.PageWidth);
  out.WriteDouble(d.LeftMargin);
  out.WriteDouble(d.RightMargin);
  out.WriteDouble(d.TopMargin);
  out.WriteDouble(d.BottomMargin);
  out.WriteBool(d.PrintHeader);
  out.WriteBool(d.PrintFooter);
  out.WriteString(d.FooterComments);
  out.WriteBool(d.ReversePrintOrder);
  out.WriteBool(d.Named);
  WritePicture(out, d.Background);
  out.WriteInt32(d.ZoomFrames);
  out.WriteBool(d.ShowGrid);
  out.WriteBool(d.SnapToShape);
  out.WriteBool(d.SnapToGrid);
  out.WriteBool(d.ShowPageLines);
  out.WriteInt32(d.PagesAcross);
  out.WriteInt32(d.PagesDown);
  WritePoint(out, d.MainViewTopLeft);
  WritePoint(out, d.MainViewBottomRight);
  out.WriteUInt32(d.ModelColor);
}

void ReadHeader(TBinaryReader& in, TModelDocument& d)
{
  d.CreatedBy = in.ReadString();
  d.SavedBy = in.ReadString();
  d.Keywords = in.ReadString();
  d.CreatedTime = in.ReadDouble();
  d.SavedTime = in.ReadDouble();
  d.ReservedNumber = in.ReadInt32();
  d.ReservedText = in.ReadString();
  d.Orientation = in.ReadByte() == 1 ? 1 : 0;
  const double paperWidth = in.ReadDouble();
  const double paperHeight = in.ReadDouble();
  const double pageHeight = in.ReadDouble();
  const double pageWidth = in.ReadDouble();
  const double left = in.ReadDouble();
  const double right = in.ReadDouble();
  const double top = in.ReadDouble();
  const double bottom = in.ReadDouble();
  d.PrintHeader = in.ReadBool();
  d.PrintFooter = in.ReadBool();
  d.FooterComments = in.ReadString();
  d.ReversePrintOrder = in.ReadBool();
  d.Named = in.ReadBool();
  d.Background = ReadPicture(in);
  d.ZoomFrames = in.ReadInt32();
  d.ShowGrid = in.ReadBool();
  d.SnapToShape = in.ReadBool();
  d.SnapToGrid = in.ReadBool();
  d.ShowPageLines = in.ReadBool();
  const std::int32_t across = in.ReadInt32();
  const std::int32_t down = in.ReadInt32();
  d.MainViewTopLeft = ReadPoint(in);
  d.MainViewBottomRight = ReadPoint(in);
  d.ModelColor = in.ReadUInt32();

  // Margins and page sizes as stored; a page that cannot be a page falls back to the
  // printer's, so the model keeps a usable extent.
  d.LeftMargin = Finite(left, 0.25);
  d.RightMargin = Finite(right, 0.25);
  d.TopMargin = Finite(top, 0.125);
  d.BottomMargin = Finite(bottom, 0.125);
  const auto usable = [](double v) { return std::isfinite(v) && v > 0.0 && v < 1.0e4; };
  if (usable(paperWidth) && usable(paperHeight) && usable(pageWidth) && usable(pageHeight)) {
    d.PaperWidth = paperWidth;
    d.PaperHeight = paperHeight;
    d.PageWidth = pageWidth;
    d.PageHeight = pageHeight;
  } else {
    d.UpdatePageSize();
  }
  // Page counts set the model extent; a count below one page is one page.
  d.SetModelSize(across < 1 ? 1 : across, down < 1 ? 1 : down);
}

void ConnectArrows(TModelDocument& document, std::size_t base)
{
  const TObjectList& objects = document.Objects;
  const auto at = [&](std::int32_t index) -> CGPObject* {
    if (index < 0) return nullptr;
    const std::size_t position = base + static_cast<std::size_t>(index);
    return position < objects.size() ? objects[position] : nullptr;
  };
  for (std::size_t i = base; i < objects.size(); ++i) {
    TArrow* arrow = TKindCast::Arrow(objects[i]);
    if (!arrow) continue;
    // An index that names no record of this stream leaves that end free.
    if (CGPObject* from = at(arrow->FromIndex); from && from != arrow)
      TArrow::AttachArrowEnd(from, arrow, arrow->FromAnchor, TArrowEnd::Start);
    else
      arrow->FromAnchor = arrow->FromIndex == -1 ? arrow->FromAnchor : -1;
    if (CGPObject* to = at(arrow->ToIndex); to && to != arrow)
      TArrow::AttachArrowEnd(to, arrow, arrow->ToAnchor, TArrowEnd::Finish);
    else
      arrow->ToAnchor = arrow->ToIndex == -1 ? arrow->ToAnchor : -1;
  }
}

}  // namespace

double TModelStream::ReadVersion(const QByteArray& stream)
{
  if (stream.size() < 8) return 0.0;
  double version;
  std::memcpy(&version, stream.constData(), sizeof version);
  return version;
}

QByteArray TModelStream::PreviewBitmap(TModelDocument& document, QSize size)
{
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  TModelPainter(document).RenderToBitmap(image);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "bmp");
  writer.write(image);
  return bytes;
}

QByteArray TModelStream::WriteModel(TModelDocument& document, bool withPreviews)
{
  QByteArray bytes;
  TBinaryWriter out(bytes);
  out.WriteDouble(kVersion);
  out.WriteBlock(withPreviews ? PreviewBitmap(document, kPreviewSize) : QByteArray());
  out.WriteBlock(withPreviews ? PreviewBitmap(document, kIconSize) : QByteArray());
  WriteHeader(out, document);
  out.WriteInt32(static_cast<std::int32_t>(document.Objects.size()));
  for (std::size_t i = 0; i < document.Objects.size(); ++i)
    document.Objects[i]->SaveIndex = static_cast<std::int32_t>(i);
  for (CGPObject* object : document.Objects)
    object->SaveToStream(out);
  return bytes;
}

bool TModelStream::BeginsAsWritten(const TModelDocument& document, const QByteArray& stream)
{
  QByteArray start;
  TBinaryWriter out(start);
  out.WriteDouble(kVersion);
  out.WriteBlock(QByteArray());
  out.WriteBlock(QByteArray());
  WriteHeader(out, document);
  out.WriteInt32(static_cast<std::int32_t>(document.Objects.size()));
  return stream.startsWith(start);
}

CGPObject* TModelStream::ReadObjectRecord(TModelDocument& document, TBinaryReader& stream)
{
  const std::int32_t kind = stream.ReadInt32();
  CGPObject* object = document.CreateObject(kind);
  try {
    object->LoadFromStream(stream);
  } catch (...) {
    // A record cut short is not kept half-read.
    document.StingObject(object);
    throw;
  }
  return object;
}

void TModelStream::ReadModel(TModelDocument& document, const QByteArray& stream, bool showProgress,
                             bool placedArrows)
{
  TBinaryReader in(stream);
  in.SetTruncatedMessage(kReadError);
  IDocumentObserver* observer = showProgress ? document.Observer() : nullptr;
  if (observer) observer->ShowProgress(0, QStringLiteral("Loading Model..."));
  const std::size_t base = document.Objects.size();
  std::int32_t count = 0;
  bool failed = false;
  QString message;
  try {
    in.ReadDouble();
    in.Skip(std::max<std::int32_t>(0, in.ReadInt32()));
    in.Skip(std::max<std::int32_t>(0, in.ReadInt32()));
    ReadHeader(in, document);
    count = in.ReadInt32();
    for (std::int32_t i = 1; i <= count; ++i) {
      // Every object is refreshed from its stored fields while it is still in the cache;
      // nothing in that refresh looks at other objects.
      ReadObjectRecord(document, in)->Recalculate(nullptr, true);
      if (observer && (i % 256 == 0 || i == count))
        observer->ShowProgress(static_cast<int>(100.0 * i / (2.0 * count) + 0.5),
                               QStringLiteral("Loading Model..."));
    }
  } catch (const EStreamError& error) {
    failed = true;
    message = error.Message();
  }
  // Objects keep their stored serials, so a new one follows the largest, not the count.
  std::int32_t largest = 0;
  for (const CGPObject* object : document.Objects)
    largest = std::max(largest, object->Serial);
  document.NextSerial = largest < std::numeric_limits<std::int32_t>::max() ? largest + 1 : largest;
  // What was read is connected even after an error, so it draws correctly. Cluster
  // membership and attached arrows, which depend on the neighbours, follow for the whole list
  // at once, which gives what refreshing each object with the list in order gives, in time
  // linear in the list.
  ConnectArrows(document, base);
  TCluster::AssignMemberships(document.Objects);
  if (observer) observer->ShowProgress(75, QStringLiteral("Loading Model..."));
  // Arrows were refreshed from their stored ends above; placing them again is the most
  // costly part of reading, and needless when it would put them where they are.
  if (!placedArrows || failed)
    CGPObject::UpdateArrowsAttachedTo(
        std::vector<CGPObject*>(document.Objects.begin() + static_cast<std::ptrdiff_t>(base),
                                document.Objects.end()),
        &document.Objects);
  TModelView view(document);
  if (!failed && view.HasMainView())
    view.SetView(false, 0, document.MainViewTopLeft.X, document.MainViewTopLeft.Y,
                 document.MainViewBottomRight.X, document.MainViewBottomRight.Y);
  if (observer) observer->EndProgress();
  if (failed) throw EStreamError(message);
}
