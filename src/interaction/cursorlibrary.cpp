#include "interaction/cursorlibrary.h"

#include <QBitmap>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <QRegularExpression>
#include <array>
#include <climits>
#include <cstdlib>

namespace {

constexpr int kSize = 32;  // every cursor is 32 x 32 logical pixels
constexpr int kMaxTableBytes = 64 * 1024;
constexpr int kMaxTableLines = 256;
constexpr int kMaxFrames = 32;
constexpr int kMinInterval = 20;
constexpr int kMaxInterval = 10000;

const QRgb kSilver = qRgb(0xC0, 0xC0, 0xC0);

QString MissingMessage(const QString& path)
{
  return QStringLiteral("Cursor not found ") + path;
}

// The numbers a table line may give a picture to: the program's own range, and the no-drop
// cursor, which our picture replaces. The renumber cursor is drawn at run time instead.
bool TableId(int id)
{
  return (id >= crBee && id <= 30099 && id != crRenumber) || id == crNoDrop;
}

Qt::CursorShape StandardShape(int id)
{
  switch (id) {
    case crNone:
      return Qt::BlankCursor;
    case crCross:
      return Qt::CrossCursor;
    case crSizeNESW:
      return Qt::SizeBDiagCursor;
    case crSizeNS:
      return Qt::SizeVerCursor;
    case crSizeNWSE:
      return Qt::SizeFDiagCursor;
    case crSizeWE:
      return Qt::SizeHorCursor;
    case crHourGlass:
      return Qt::WaitCursor;
    case crNoDrop:
      return Qt::ForbiddenCursor;
    default:
      return Qt::ArrowCursor;
  }
}

// The nearest of the four colours a renumber picture is made of: 0 black, 1 red, 2 silver,
// 3 white. Exact colours are what we draw; the nearest one covers a picture saved lossily.
int RenumberColour(QRgb pixel)
{
  const std::array<QRgb, 4> colours = {qRgb(0, 0, 0), qRgb(255, 0, 0), kSilver,
                                       qRgb(255, 255, 255)};
  int best = 0;
  int bestDistance = INT_MAX;
  for (int i = 0; i < 4; ++i) {
    const int dr = qRed(pixel) - qRed(colours[i]);
    const int dg = qGreen(pixel) - qGreen(colours[i]);
    const int db = qBlue(pixel) - qBlue(colours[i]);
    const int distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return best;
}

}  // namespace

TCursorLibrary::TCursorLibrary(const QString& folder)
{
  LoadTable(folder);
  const QImage base =
      LoadPicture(QDir(folder).absoluteFilePath(QStringLiteral("renumber.png")), kSize);
  if (!base.isNull()) renumberBase_ = base.convertToFormat(QImage::Format_RGB32);
}

TCursorLibrary& TCursorLibrary::Shared()
{
  // Never destroyed: its cursors must not outlive the application object at exit.
  static TCursorLibrary* library = new TCursorLibrary();
  return *library;
}

QStringList TCursorLibrary::TakeMessages()
{
  QStringList messages;
  messages.swap(messages_);
  return messages;
}

QCursor TCursorLibrary::Cursor(int id, int frame, qreal devicePixelRatio) const
{
  if (id == crRenumber) return renumberBuilt_ ? renumber_ : QCursor(Qt::ArrowCursor);
  const auto found = cursors_.constFind(id);
  if (found == cursors_.constEnd()) return QCursor(StandardShape(id));
  const std::vector<QCursor>& frames = devicePixelRatio > 1.0 ? found->sharp : found->normal;
  const int count = int(frames.size());
  return frames[((frame % count) + count) % count];
}

int TCursorLibrary::FrameCount(int id) const
{
  const auto found = cursors_.constFind(id);
  return found == cursors_.constEnd() ? 1 : int(found->normal.size());
}

int TCursorLibrary::FrameInterval(int id) const
{
  const auto found = cursors_.constFind(id);
  return found == cursors_.constEnd() || found->normal.size() < 2 ? 0 : found->interval;
}

void TCursorLibrary::BuildRenumberCursor(int number)
{
  renumberBuilt_ = !renumberBase_.isNull();
  if (renumberBuilt_) {
    renumber_ = MonochromeCursor(RenumberPicture(renumberBase_, number), QPoint(1, 1));
  }
  ++revision_;
}

QImage TCursorLibrary::RenumberPicture(const QImage& base, int number)
{
  QImage picture(kSize, kSize, QImage::Format_RGB32);
  picture.fill(kSilver);
  QPainter p(&picture);
  p.drawImage(0, 0, base);
  QFont font(QStringLiteral("Sans Serif"));
  font.setStyleHint(QFont::SansSerif);
  font.setBold(true);
  // Only pure red pixels may carry the number: every pixel must map to one of four states.
  font.setStyleStrategy(QFont::NoAntialias);
  QString text = QString::number(number);
  // About 9 points at 96 dots per inch, shrunk until the number fits inside the tag.
  const int room = kSize - 4;
  int pixels = 12;
  for (; pixels > 7; --pixels) {
    font.setPixelSize(pixels);
    if (QFontMetrics(font, &picture).horizontalAdvance(text) <= room) break;
  }
  font.setPixelSize(pixels);
  p.setFont(font);
  const QFontMetrics metrics = p.fontMetrics();
  // A number too wide even so keeps its last digits, the ones that change from click to click,
  // behind an ellipsis.
  const QString sign = number < 0 ? QStringLiteral("-") : QString();
  const QString digits = QString::number(std::abs(qint64(number)));
  for (int cut = 1; metrics.horizontalAdvance(text) > room && cut < digits.size(); ++cut) {
    text = sign + QChar(0x2026) + digits.mid(cut);
  }
  // Centred on x = 15 with the text's top at y = 17.
  const int width = metrics.horizontalAdvance(text);
  p.setPen(QColor(255, 0, 0));
  p.drawText(QPoint(15 - width / 2, 17 + metrics.ascent()), text);
  return picture;
}

QCursor TCursorLibrary::MonochromeCursor(const QImage& picture, QPoint hotSpot)
{
  const QImage source = picture.convertToFormat(QImage::Format_RGB32);
  // Colour 1 is black, which QBitmap keeps as its set bit.
  QImage bits(source.size(), QImage::Format_Mono);
  bits.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
  bits.fill(0);
  QImage mask = bits.copy();
  // Per colour: bitmap bit, mask bit. Qt shows 1/1 black, 0/1 white, 0/0 clear and 1/0 the
  // inverted screen.
  const int bitmapBit[] = {1, 1, 0, 0};
  const int maskBit[] = {1, 0, 0, 1};
  for (int y = 0; y < source.height(); ++y) {
    for (int x = 0; x < source.width(); ++x) {
      const int colour = RenumberColour(source.pixel(x, y));
      bits.setPixel(x, y, bitmapBit[colour]);
      mask.setPixel(x, y, maskBit[colour]);
    }
  }
  return QCursor(QBitmap::fromImage(bits), QBitmap::fromImage(mask), hotSpot.x(), hotSpot.y());
}

void TCursorLibrary::LoadTable(const QString& folder)
{
  const QString path = QDir(folder).absoluteFilePath(QStringLiteral("cursors.txt"));
  QFile file(path);
  if (!file.exists()) {
    messages_ << MissingMessage(path);
    return;
  }
  if (!file.open(QIODevice::ReadOnly)) {
    messages_ << QStringLiteral("Cursor table not readable ") + path;
    return;
  }
  const QStringList lines = QString::fromUtf8(file.read(kMaxTableBytes)).split(QLatin1Char('\n'));
  for (int i = 0; i < lines.size() && i < kMaxTableLines; ++i) {
    const QString line = lines[i].trimmed();
    if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
    int id = 0;
    QString stem;
    QPoint hotSpot;
    int frames = 0;
    int interval = 0;
    if (!ParseLine(line, id, stem, hotSpot, frames, interval) || cursors_.contains(id)) {
      messages_ << QStringLiteral("Cursor table line %1 not valid in %2").arg(i + 1).arg(path);
      continue;
    }
    LoadCursor(folder, id, stem, hotSpot, frames, interval);
  }
}

bool TCursorLibrary::ParseLine(const QString& line, int& id, QString& stem, QPoint& hotSpot,
                               int& frames, int& interval) const
{
  static const QRegularExpression kSpaces(QStringLiteral("\\s+"));
  // Stems become file names: letters, digits and underscores only, so no path can escape.
  static const QRegularExpression kStem(QStringLiteral("^[a-z0-9_]{1,40}$"));
  const QStringList fields = line.split(kSpaces);
  if (fields.size() != 6) return false;
  bool ok[5] = {};
  id = fields[0].toInt(&ok[0]);
  stem = fields[1];
  hotSpot = QPoint(fields[2].toInt(&ok[1]), fields[3].toInt(&ok[2]));
  frames = fields[4].toInt(&ok[3]);
  interval = fields[5].toInt(&ok[4]);
  for (bool fine : ok) {
    if (!fine) return false;
  }
  const bool still = frames == 1;
  return TableId(id) && kStem.match(stem).hasMatch() && hotSpot.x() >= 0 && hotSpot.x() < kSize &&
         hotSpot.y() >= 0 && hotSpot.y() < kSize && frames >= 1 && frames <= kMaxFrames &&
         (still || (interval >= kMinInterval && interval <= kMaxInterval));
}

void TCursorLibrary::LoadCursor(const QString& folder, int id, const QString& stem, QPoint hotSpot,
                                int frames, int interval)
{
  const QDir dir(folder);
  TFrames loaded;
  loaded.interval = frames > 1 ? interval : 0;
  for (int frame = 0; frame < frames; ++frame) {
    const QString name = frames > 1 ? stem + QStringLiteral("_%1").arg(frame) : stem;
    const QImage normal = LoadPicture(dir.absoluteFilePath(name + QStringLiteral(".png")), kSize);
    const QImage sharp =
        LoadPicture(dir.absoluteFilePath(name + QStringLiteral("@2x.png")), 2 * kSize);
    // A frame without its 1x picture is left out; the 2x one alone would be a guess.
    if (normal.isNull()) continue;
    const QCursor cursor(QPixmap::fromImage(normal), hotSpot.x(), hotSpot.y());
    loaded.normal.push_back(cursor);
    if (sharp.isNull()) {
      loaded.sharp.push_back(cursor);
    } else {
      QPixmap pixmap = QPixmap::fromImage(sharp);
      pixmap.setDevicePixelRatio(2.0);
      loaded.sharp.emplace_back(pixmap, hotSpot.x(), hotSpot.y());
    }
  }
  if (!loaded.normal.empty()) cursors_.insert(id, std::move(loaded));
}

QImage TCursorLibrary::LoadPicture(const QString& path, int size)
{
  if (!QFileInfo::exists(path)) {
    messages_ << MissingMessage(path);
    return {};
  }
  QImageReader reader(path);
  // The size is checked before decoding, so that a huge file never gets decoded.
  QImage image;
  if (reader.size() == QSize(size, size)) image = reader.read();
  if (image.isNull() || image.size() != QSize(size, size)) {
    messages_ << QStringLiteral("Cursor picture not valid ") + path;
    return {};
  }
  return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}
