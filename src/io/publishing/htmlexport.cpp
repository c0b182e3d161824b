#include "io/publishing/htmlexport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <cmath>
#include <unordered_set>

#include "document/modeldocument.h"
#include "document/modelpainter.h"
#include "geometry/outline.h"
#include "io/modelfile.h"
#include "io/modelstream.h"
#include "model/layers/gateway.h"
#include "model/layers/pointed.h"
#include "platform/measurecanvas.h"
#include "platform/pictures/jpegcodec.h"
#include "platform/streams/streamerror.h"
#include "platform/streams/wholefile.h"

const QString THtmlExport::kHomePage = QStringLiteral("https://mindorra.org/");

namespace {

constexpr int kMaxNesting = 64;

bool IsModelLink(const QString& link)
{
  return link.endsWith(QLatin1String(".mdl"), Qt::CaseInsensitive);
}

QString VersionText()
{
  // Two decimals whatever the locale: "v2.01".
  return QStringLiteral("v%1").arg(TModelStream::kVersion, 0, 'f', 2);
}

std::optional<QString> PageOf(const CGPObject& object, const THtmlPageStyle& style)
{
  const auto* gateway = dynamic_cast<const TGateway*>(&object);
  if (!gateway || gateway->Link.isEmpty()) return std::nullopt;
  if (style.ModelPage) return style.ModelPage(gateway->Link);
  return THtmlExport::ModelPageOf(gateway->Link);
}

void WriteEntry(const CGPObject& object, QStringList& lines, const THtmlPageStyle& style,
                std::unordered_set<const CGPObject*>& written, int depth)
{
  if (depth > kMaxNesting || !written.insert(&object).second) return;
  QStringList text = TObjectListing::PlainLines(object.Text);
  if (text.isEmpty()) text << QStringLiteral("Text");
  for (QString& line : text)
    line = THtmlExport::Escape(line);
  text.front() = QStringLiteral("%1)\t").arg(object.Serial) + text.front();
  // The anchor sits inside the term, so the list stays properly nested.
  if (const std::optional<QString> page = PageOf(object, style)) {
    text.front() =
        QStringLiteral("<A HREF=\"%1\">").arg(THtmlExport::Escape(THtmlExport::LinkUrl(*page))) +
        text.front();
    text.back() += QStringLiteral("</A>");
  }
  text.front().prepend(QStringLiteral("<DT>"));
  lines << text;
  if (TObjectListing::IsCluster(object)) {
    lines << QStringLiteral("<DD>") << QStringLiteral("<DL>");
    for (const CGPObject* member : TObjectListing::Members(object))
      WriteEntry(*member, lines, style, written, depth + 1);
    lines << QStringLiteral("</DL>") << QStringLiteral("</DD>");
  }
  const QStringList notes = TObjectListing::PlainLines(object.Notes);
  if (!notes.isEmpty()) {
    lines << QStringLiteral("<DD>\t") + THtmlExport::Escape(notes.front());
    for (qsizetype i = 1; i < notes.size(); ++i)
      lines << THtmlExport::Escape(notes[i]);
  }
}

}  // namespace

QString THtmlExport::Escape(const QString& text)
{
  QString out;
  out.reserve(text.size());
  for (const char32_t c : text.toUcs4()) {
    switch (c) {
      case U'&':
        out += QLatin1String("&amp;");
        break;
      case U'<':
        out += QLatin1String("&lt;");
        break;
      case U'>':
        out += QLatin1String("&gt;");
        break;
      case U'"':
        out += QLatin1String("&quot;");
        break;
      default:
        if (c == U'\t' || (c >= 0x20 && c < 0x7F))
          out += QChar(static_cast<char16_t>(c));
        else if (c >= 0xA0 && !(c >= 0xD800 && c <= 0xDFFF))
          out += QStringLiteral("&#%1;").arg(static_cast<unsigned>(c));
        // Other control characters have no place in a page.
    }
  }
  return out;
}

QString THtmlExport::LinkUrl(const QString& link)
{
  QString path = link;
  path.replace(QLatin1Char('\\'), QLatin1Char('/'));
  const bool drive = path.size() > 2 && path[0].isLetter() && path[1] == QLatin1Char(':') &&
                     path[2] == QLatin1Char('/');
  if (IsWebAddress(path)) return QString::fromLatin1(QUrl(path).toEncoded());
  QString prefix;
  if (drive)
    prefix = QStringLiteral("file:///");
  else if (path.startsWith(QLatin1String("//")))
    prefix = QStringLiteral("file:");
  else if (path.startsWith(QLatin1Char('/')))
    prefix = QStringLiteral("file://");
  // A colon in a relative path would otherwise read as a scheme.
  return prefix + QString::fromLatin1(QUrl::toPercentEncoding(path, drive ? "/:" : "/"));
}

bool THtmlExport::IsWebAddress(const QString& link)
{
  static const char* const kSchemes[] = {"http://", "https://", "ftp://", "mailto:"};
  for (const char* scheme : kSchemes)
    if (link.startsWith(QLatin1String(scheme), Qt::CaseInsensitive)) return true;
  return link.startsWith(QLatin1String("www."), Qt::CaseInsensitive);
}

std::optional<QString> THtmlExport::ModelPageOf(const QString& link)
{
  if (!IsModelLink(link)) return std::nullopt;
  return link.left(link.size() - 4) + QStringLiteral(".htm");
}

void THtmlExport::WriteHtmlEntry(const CGPObject& object, QStringList& lines,
                                 const THtmlPageStyle& style)
{
  std::unordered_set<const CGPObject*> written;
  WriteEntry(object, lines, style, written, 0);
}

std::vector<CGPObject*> THtmlExport::ListedObjects(TModelDocument& document, TListingOrder order)
{
  std::vector<CGPObject*> listed;
  for (CGPObject* object : document.Objects)
    if (!TObjectListing::ClusterOf(*object)) listed.push_back(object);
  TObjectListing::Sort(listed, order);
  return listed;
}

QStringList THtmlExport::PageLines(TModelDocument& document, const QString& path,
                                   const QString& pictureName, const THtmlPageStyle& style,
                                   const std::function<void(int)>& progress)
{
  if (progress) progress(0);
  const QString name = QFileInfo(path).completeBaseName();
  QStringList lines;
  lines << QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">")
        << QStringLiteral("<HTML>") << QStringLiteral("<HEAD>")
        << QStringLiteral("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">")
        << QStringLiteral("<TITLE>Mindorra - %1</TITLE>").arg(Escape(name))
        << QStringLiteral("</HEAD>") << QString() << QStringLiteral("<BODY>")
        << QStringLiteral("<CENTER>");
  const QString image =
      QStringLiteral("<IMG SRC=\"%1\" ALT=\"CGP Model Image\"").arg(Escape(LinkUrl(pictureName)));
  if (style.MapAreas.empty()) {
    lines << image + QLatin1Char('>');
  } else {
    lines << image + QStringLiteral(" USEMAP=\"#model\">")
          << QStringLiteral("<MAP NAME=\"model\">");
    for (const THtmlMapArea& area : style.MapAreas) {
      const QRect& r = area.Box;
      QStringList coords;
      if (area.Corners.isEmpty()) {
        coords << QString::number(r.left()) << QString::number(r.top())
               << QString::number(r.right() + 1) << QString::number(r.bottom() + 1);
      } else {
        for (const QPoint& p : area.Corners)
          coords << QString::number(p.x()) << QString::number(p.y());
      }
      lines << QStringLiteral(
                   "<AREA SHAPE=\"%1\" COORDS=\"%2\" HREF=\"%3\" ALT=\"%4\" "
                   "TITLE=\"%4\">")
                   .arg(area.Corners.isEmpty() ? QStringLiteral("rect") : QStringLiteral("poly"),
                        coords.join(QLatin1Char(',')), Escape(area.Href), Escape(area.Title));
    }
    lines << QStringLiteral("</MAP>");
  }
  lines << QStringLiteral("</CENTER>") << QStringLiteral("<P>")
        << QStringLiteral("<H2>Model Contents</H2>") << QStringLiteral("<DL>");
  const std::vector<CGPObject*> listed = ListedObjects(document, style.Order);
  std::unordered_set<const CGPObject*> written;
  for (std::size_t i = 0; i < listed.size(); ++i) {
    WriteEntry(*listed[i], lines, style, written, 0);
    if (progress) progress(static_cast<int>(std::lround(100.0 * (i + 1) / listed.size())));
  }
  lines << QStringLiteral("</DL>") << QStringLiteral("<HR>") << QStringLiteral("<CENTER>")
        << QStringLiteral("<SMALL>")
        << QStringLiteral("Created By <B>Mindorra %1</B><BR>").arg(VersionText())
        << QStringLiteral("See our home page at <A HREF=\"%1\">%1</A>").arg(kHomePage)
        << QStringLiteral("</SMALL>") << QStringLiteral("</CENTER>") << QStringLiteral("</BODY>")
        << QStringLiteral("</HTML>");
  return lines;
}

QByteArray THtmlExport::PageBytes(const QStringList& lines)
{
  // Escape() leaves nothing beyond ASCII, so Latin-1 is exact.
  return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1();
}

QSize THtmlExport::BoundedPictureSize(TModelDocument& document, QSize asked)
{
  QSize size = asked;
  if (size.width() < 1 || size.height() < 1) {
    const QSizeF extent = TModelPainter(document).ContentExtent();
    const double aspect = extent.isEmpty() ? 4.0 / 3.0 : extent.width() / extent.height();
    size = aspect > 4.0 / 3.0 ? QSize(1600, std::max(1, int(std::lround(1600 / aspect))))
                              : QSize(std::max(1, int(std::lround(1200 * aspect))), 1200);
  }
  const double pixels = double(size.width()) * double(size.height());
  if (pixels > double(kMaxPicturePixels)) {
    const double scale = std::sqrt(double(kMaxPicturePixels) / pixels);
    size = QSize(std::max(1, int(std::floor(size.width() * scale))),
                 std::max(1, int(std::floor(size.height() * scale))));
  }
  return size;
}

QByteArray THtmlExport::PictureBytes(TModelDocument& document, QSize size)
{
  const QImage image = TModelFile::ModelPicture(document, size);
  if (image.isNull())
    throw EStreamError(QStringLiteral("Not enough memory for a picture of %1 x %2 pixels")
                           .arg(size.width())
                           .arg(size.height()));
  const QByteArray bytes = TJpegCodec::Encode(image);
  if (bytes.isEmpty()) throw EStreamError(QStringLiteral("Unable to encode the JPEG picture"));
  return bytes;
}

namespace {

// Where the model painter puts the model in a whole-model picture: offsets and zoom.
struct TFraming {
  double Left = 0.0;
  double Top = 0.0;
  double Zoom = 100.0;
};

std::optional<TFraming> Framing(TModelDocument& document, QSize size)
{
  TPixelRect u;
  if (!TModelPainter::ObjectsBox(document, u) || size.isEmpty()) return std::nullopt;
  const double ppi = kModelPixelsPerInch;
  const double ew = u.Width() + ppi;
  const double eh = u.Height() + ppi;
  TFraming f;
  f.Zoom = std::min(size.width() / ew * 100.0, size.height() / eh * 100.0);
  f.Left = u.Left / ppi - 0.5 - (size.width() - f.Zoom * ew / 100.0) / 2.0 / ppi / f.Zoom * 100.0;
  f.Top = u.Top / ppi - 0.5 - (size.height() - f.Zoom * eh / 100.0) / 2.0 / ppi / f.Zoom * 100.0;
  return f;
}

}  // namespace

QRect THtmlExport::PictureBox(TModelDocument& document, const CGPObject& object, QSize size)
{
  const std::optional<TFraming> f = Framing(document, size);
  if (!f) return {};
  TMeasureCanvas measure;
  return object.GetScreenBox(measure.Canvas(), -f->Left, -f->Top, f->Zoom)
      .Normalized()
      .ToQRect()
      .intersected(QRect(QPoint(0, 0), size));
}

QPolygon THtmlExport::PictureOutline(TModelDocument& document, const CGPObject& object, QSize size)
{
  const auto* shape = dynamic_cast<const TPointed*>(&object);
  const std::optional<TFraming> f = Framing(document, size);
  if (!shape || !f || shape->Outline.size() < 3) return {};
  TMeasureCanvas measure;
  QPolygon polygon = OutlinePath(measure.Canvas(), shape->Outline, shape->Angle, f->Zoom, -f->Left,
                                 -f->Top, shape->Centre())
                         .toFillPolygon()
                         .toPolygon();
  // A closed polygon repeats its first corner at the end; the map closes it by itself.
  if (polygon.size() > 1 && polygon.front() == polygon.back()) polygon.removeLast();
  // Curved outlines flatten into many corners; a box serves them as well.
  if (polygon.size() < 3 || polygon.size() > kMaxAreaCorners) return {};
  for (QPoint& p : polygon)
    p = QPoint(std::clamp(p.x(), 0, size.width()), std::clamp(p.y(), 0, size.height()));
  return polygon;
}

void THtmlExport::ExportHtml(TModelDocument& document, const QString& path, QSize pictureSize,
                             const THtmlPageStyle& style, const std::function<void(int)>& progress)
{
  const QFileInfo info(path);
  const QString picturePath = info.dir().filePath(info.completeBaseName() + QStringLiteral(".jpg"));
  const QString pictureName = QFileInfo(picturePath).fileName();
  // Everything is made in memory first, so a failure writes nothing.
  const QByteArray picture = PictureBytes(document, BoundedPictureSize(document, pictureSize));
  const QByteArray page = PageBytes(PageLines(document, path, pictureName, style, progress));
  std::optional<QByteArray> oldPicture;
  if (QFileInfo(picturePath).isFile()) {
    try {
      oldPicture = TWholeFile::ReadAll(picturePath, kMaxPicturePixels * 4);
    } catch (const EStreamError&) {
      // An unreadable old picture cannot be put back; the page's own write still decides.
    }
  }
  TWholeFile::WriteAtomically(picturePath, picture);
  try {
    TWholeFile::WriteAtomically(path, page);
  } catch (const EStreamError&) {
    // The page failed: leave the picture as it was before.
    try {
      if (oldPicture)
        TWholeFile::WriteAtomically(picturePath, *oldPicture);
      else
        QFile::remove(picturePath);
    } catch (const EStreamError&) {
    }
    throw;
  }
}
