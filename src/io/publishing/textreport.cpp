#include "io/publishing/textreport.h"

#include <QFileInfo>
#include <QLocale>
#include <cmath>
#include <unordered_set>

#include "document/modeldocument.h"
#include "platform/measurecanvas.h"
#include "platform/streams/datetimevalue.h"
#include "platform/streams/wholefile.h"
#include "platform/text/ansicodepage.h"
#include "platform/text/rtfreader.h"

namespace {

constexpr int kIndentStep = 1000;
constexpr int kMaxNesting = 64;

QString DateText(double days)
{
  return QLocale().toString(TDateTimeValue::ToDateTime(days), QLocale::ShortFormat);
}

QStringList SummaryLines(const TModelDocument& d)
{
  auto e = &TTextReport::EscapeRtf;
  QStringList lines;
  lines << QStringLiteral("Created By: \\tab %1 on %2\\par")
               .arg(e(d.CreatedBy), e(DateText(d.CreatedTime)));
  if (d.Named)
    lines << QStringLiteral("Last Saved By: \\tab %1 on %2\\par")
                 .arg(e(d.SavedBy), e(DateText(d.SavedTime)));
  if (!d.Keywords.isEmpty()) lines << QStringLiteral("Keywords: \\tab %1\\par").arg(e(d.Keywords));
  lines << QStringLiteral("\\par");
  return lines;
}

QString Joined(const QStringList& plainLines)
{
  QStringList escaped;
  for (const QString& line : plainLines)
    escaped << TTextReport::EscapeRtf(line);
  return escaped.join(QStringLiteral("\\line "));
}

class TEntryWriter {
 public:
  TEntryWriter(QStringList& lines, TListingOrder order) : lines_(lines), order_(order) {}

  void Write(const CGPObject& object, int depth)
  {
    if (depth > kMaxNesting || !written_.insert(&object).second) return;
    const QStringList text = TObjectListing::PlainLines(object.Text);
    const QStringList notes = TObjectListing::PlainLines(object.Notes);
    const bool cluster = TObjectListing::IsCluster(object);
    if (text.isEmpty() && notes.isEmpty() && !cluster) return;
    lines_ << QStringLiteral("\\fi-%1\\li%2 %3 %4)\t%5\\par")
                  .arg(kIndentStep)
                  .arg(depth * kIndentStep)
                  .arg(TTextReport::EscapeRtf(object.ClassDisplayName()), 8)
                  .arg(object.Number, 3)
                  .arg(text.isEmpty() ? QStringLiteral("No Title") : Joined(text));
    lines_ << QStringLiteral("\\par");
    if (!notes.isEmpty()) {
      lines_ << QStringLiteral("\\fi0\\li%1 %2\\par").arg(depth * kIndentStep).arg(Joined(notes));
      lines_ << QStringLiteral("\\par");
    }
    if (cluster) {
      std::vector<CGPObject*> members = TObjectListing::Members(object);
      TObjectListing::Sort(members, order_);
      for (const CGPObject* member : members)
        Write(*member, depth + 1);
    }
  }

 private:
  QStringList& lines_;
  TListingOrder order_;
  std::unordered_set<const CGPObject*> written_;
};

void WriteList(TModelDocument& document, QStringList& lines, TReportRange range, int page,
               TListingOrder order, const std::function<void(int)>& progress)
{
  std::vector<CGPObject*> objects = TTextReport::ReportObjects(document, range, page);
  TObjectListing::Sort(objects, order);
  if (progress) progress(0);
  TEntryWriter writer(lines, order);
  for (std::size_t i = 0; i < objects.size(); ++i) {
    writer.Write(*objects[i], 1);
    if (progress) progress(static_cast<int>(std::lround(100.0 * (i + 1) / objects.size())));
  }
}

// Whether the object is on the page: its screen box at 100 % meets the page's rectangle,
// and so does its hit region.
bool OnPage(CGPObject& object, TCanvas& canvas, const QRect& page)
{
  const QRect box = object.GetScreenBox(canvas, 0, 0, 100).Normalized().ToQRect();
  if (!box.intersects(page)) return false;
  return object.CreateRegion(canvas, 0, 0, 100).intersects(page);
}

}  // namespace

QString TTextReport::EscapeRtf(const QString& text)
{
  QString out;
  out.reserve(text.size());
  for (const char32_t c : text.toUcs4()) {
    if (c == U'\\' || c == U'{' || c == U'}') {
      out += QLatin1Char('\\');
      out += QChar(static_cast<char16_t>(c));
    } else if (c == U'\t') {
      out += QLatin1String("\\tab ");
    } else if (c == U'\n' || c == QChar::LineSeparator) {
      out += QLatin1String("\\line ");
    } else if (c < 0x20 || (c >= 0xD800 && c <= 0xDFFF)) {
      // Control characters are not text.
    } else if (c < 0x80) {
      out += QChar(static_cast<char16_t>(c));
    } else if (const int byte = TAnsiCodePage::ByteOf(c); byte >= 0x80) {
      out += QStringLiteral("\\'%1").arg(byte, 2, 16, QLatin1Char('0'));
    } else {
      // \u takes a signed 16-bit value; characters beyond it go as their surrogate pair.
      const QString units = QString::fromUcs4(&c, 1);
      for (const QChar unit : units)
        out += QStringLiteral("\\u%1?").arg(static_cast<qint16>(unit.unicode()));
    }
  }
  return out;
}

std::pair<int, int> TTextReport::PageSpan(const TModelDocument& document, int first, int last)
{
  const qint64 pages = std::max<qint64>(
      1, qint64(std::max(1, document.PagesAcross)) * std::max(1, document.PagesDown));
  const int count = static_cast<int>(std::min<qint64>(pages, 1 << 20));
  if (last < first) std::swap(first, last);
  return {std::clamp(first, 1, count), std::clamp(last, 1, count)};
}

std::vector<CGPObject*> TTextReport::ReportObjects(TModelDocument& document, TReportRange range,
                                                   int page)
{
  std::vector<CGPObject*> found;
  switch (range) {
    case TReportRange::CurrentView:
      found.assign(document.VisibleObjects.begin(), document.VisibleObjects.end());
      break;
    case TReportRange::WholeModel:
      found.assign(document.Objects.begin(), document.Objects.end());
      break;
    case TReportRange::Pages: {
      TMeasureCanvas measure;
      const double ppi = kModelPixelsPerInch;
      const int across = std::max(1, document.PagesAcross);
      const int column = (page - 1) % across;
      const int row = (page - 1) / across;
      const QRectF inches(column * document.PageWidth, row * document.PageHeight,
                          document.PageWidth, document.PageHeight);
      const QRect pixels(
          QPoint(int(std::floor(inches.left() * ppi)), int(std::floor(inches.top() * ppi))),
          QPoint(int(std::ceil(inches.right() * ppi)) - 1,
                 int(std::ceil(inches.bottom() * ppi)) - 1));
      for (CGPObject* object : document.Objects)
        if (OnPage(*object, measure.Canvas(), pixels)) found.push_back(object);
      break;
    }
    case TReportRange::Selected:
      for (CGPObject* object : document.Objects)
        if (object->Selected) found.push_back(object);
      break;
  }
  const std::unordered_set<const CGPObject*> inRange(found.begin(), found.end());
  std::erase_if(found, [&](const CGPObject* object) {
    const CGPObject* cluster = TObjectListing::ClusterOf(*object);
    return cluster && inRange.contains(cluster);
  });
  return found;
}

QStringList TTextReport::ReportLines(TModelDocument& document, const TReportOptions& options,
                                     const std::function<void(int)>& progress)
{
  TReportRange range = options.Range;
  int first = options.FirstPage;
  int last = options.LastPage;
  if (range == TReportRange::WholeModel && options.SeparatePages) {
    range = TReportRange::Pages;
    first = 1;
    last = std::max(1, document.PagesAcross) * std::max(1, document.PagesDown);
  }
  static const char* const kTitles[] = {" (Current View)", " (Whole Model)", " (Selected Pages)",
                                        " (Selected Cogis)"};
  const QString name = QFileInfo(document.FileName).completeBaseName();
  QStringList lines;
  lines << QStringLiteral("{\\rtf1\\qc\\fs24\\b %1%2\\b0\\fs16\\par")
               .arg(EscapeRtf(name), QLatin1String(kTitles[static_cast<int>(range)]));
  const QStringList summary = options.IncludeSummary ? SummaryLines(document) : QStringList();
  switch (range) {
    case TReportRange::CurrentView:
    case TReportRange::WholeModel:
      lines << QStringLiteral("\\ql\\par") << summary;
      WriteList(document, lines, range, 0, options.Order, progress);
      break;
    case TReportRange::Pages: {
      if (options.IncludeSummary) lines << QStringLiteral("\\ql\\par") << summary;
      const auto [from, to] = PageSpan(document, first, last);
      for (int page = from; page <= to; ++page) {
        lines << QStringLiteral("\\ql\\par") << QStringLiteral("\\fi0\\li0 Page %1\\par").arg(page);
        WriteList(document, lines, range, page, options.Order, progress);
      }
      break;
    }
    case TReportRange::Selected:
      lines << summary << QStringLiteral("\\ql\\par");
      WriteList(document, lines, range, 0, options.Order, progress);
      break;
  }
  lines << QStringLiteral("}");
  return lines;
}

QByteArray TTextReport::ReportRtf(TModelDocument& document, const TReportOptions& options,
                                  const std::function<void(int)>& progress)
{
  // EscapeRtf leaves nothing beyond ASCII.
  return ReportLines(document, options, progress).join(QStringLiteral("\r\n")).toLatin1();
}

QByteArray TTextReport::PlainTextBytes(const QByteArray& rtf)
{
  QString text = TRtfReader::PlainText(rtf);
  text.replace(QChar::LineSeparator, QLatin1Char('\n'));
  // A text file's last line ends like the others.
  if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n'))) text += QLatin1Char('\n');
  text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
  return text.toUtf8();
}

void TTextReport::WriteTextReport(TModelDocument& document, const QString& path,
                                  const TReportOptions& options)
{
  TWholeFile::WriteAtomically(path, PlainTextBytes(ReportRtf(document, options)));
}
