// Pictures of gestures for a person to look at, made through the real drawing surface: the
// paint cursor over a model, and a rubber band being dragged over a model.
//   gesture_screens [folder]        (default: the current folder)
// A window grab holds no pointer, so each picture gets the cursor the surface shows at that
// moment (the screen cursor while one is set, else the window's), drawn at the pointer's
// pixel by its hot spot, as the window system would draw it. Runs on the offscreen platform
// unless QT_QPA_PLATFORM names another (for example xcb under Xvfb).
#include <QApplication>
#include <QBitmap>
#include <QCursor>
#include <QDir>
#include <QPainter>
#include <QPixmap>
#include <cstdio>

#include "document/modelview.h"
#include "model/cgpobject.h"
#include "support/benchsurface.h"

namespace {

// The picture of a cursor: its own pixmap, or for a two-colour cursor its bitmap and mask
// (black and white where the mask is set; inverted pixels are shown black).
QImage CursorPicture(const QCursor& cursor)
{
  const QPixmap pixmap = cursor.pixmap();
  if (!pixmap.isNull()) return pixmap.toImage();
  const QBitmap bitmap = cursor.bitmap();
  const QBitmap mask = cursor.mask();
  if (bitmap.isNull()) return {};
  const QImage bits = bitmap.toImage().convertToFormat(QImage::Format_Mono);
  const QImage clear = mask.toImage().convertToFormat(QImage::Format_Mono);
  QImage picture(bits.size(), QImage::Format_ARGB32);
  picture.fill(Qt::transparent);
  for (int y = 0; y < bits.height(); ++y)
    for (int x = 0; x < bits.width(); ++x)
      if (clear.pixelIndex(x, y))
        picture.setPixel(x, y, bits.pixelIndex(x, y) ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
  return picture;
}

// The surface as it shows now, with the cursor the window system would draw at `pointer`.
QImage Shot(TBenchSurface& s, QPoint pointer, QString* cursorName)
{
  QImage shot = s.box->grab().toImage().convertToFormat(QImage::Format_ARGB32);
  const QCursor* screen = QGuiApplication::overrideCursor();
  const QCursor cursor = screen ? *screen : s.box->cursor();
  *cursorName = QStringLiteral("%1 cursor %2")
                    .arg(screen ? QStringLiteral("screen") : QStringLiteral("window"))
                    .arg(screen ? s.box->ScreenCursorId() : s.box->WindowCursorId());
  const QImage picture = CursorPicture(cursor);
  if (picture.isNull()) {
    *cursorName += QStringLiteral(" (a platform shape without a picture, not drawn)");
    return shot;
  }
  // A 2x picture shows at its logical size.
  const qreal ratio = picture.devicePixelRatio() > 0 ? picture.devicePixelRatio() : 1.0;
  const QSize logical = (QSizeF(picture.size()) / ratio).toSize();
  QPainter painter(&shot);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(QRect(pointer - cursor.hotSpot(), logical), picture);
  return shot;
}

bool Save(const QImage& image, const QString& path)
{
  const bool saved = image.save(path);
  std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
  return saved;
}

// A pixel of the surface between the groups of the generated model: the gap right of and
// below the group at (column, row).
QPoint GapPixel(TBenchSurface& s, int column, int row)
{
  return s.Pixel({column * 4.5 + 4.5, row * 4.5 + 4.5});
}

}  // namespace

int main(int argc, char** argv)
{
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
  TBenchSurface s(300);
  s.box->resize(1000, 700);
  TModelView view(s.document);
  view.SetView(false, 75, 6.75, 6.0, 0, 0);
  s.box->PaintNow(false);
  bool ok = true;

  // The paint mode as a palette colour chosen with nothing selected enters it, the pointer
  // resting on a Cogi.
  s.document.DeselectAll(false);
  s.document.ChangeMode(opPaint);
  CGPObject* target = nullptr;
  for (CGPObject* object : s.document.VisibleObjects)
    if (object->KindCode() == okCogi &&
        (!target || std::abs(object->X - 6.75) + std::abs(object->Y - 6.0) <
                        std::abs(target->X - 6.75) + std::abs(target->Y - 6.0)))
      target = object;
  if (!target) return 1;
  const QPoint onCogi = s.Pixel(target->Centre()) + QPoint(6, 4);
  s.Move(onCogi - QPoint(30, 20));
  s.Move(onCogi);
  QApplication::processEvents();
  QString cursor;
  const QImage paint = Shot(s, onCogi, &cursor);
  std::printf("paint: mode %d, %s, hint \"%s\"\n", s.document.Mode, qPrintable(cursor),
              qPrintable(s.box->Hint()));
  ok = Save(paint, folder.filePath(QStringLiteral("paint-cursor.png"))) && ok;
  s.document.ChangeMode(opNone);

  // A rubber band from the gap above-left of a group over all of it and into the groups right
  // of and below it, the button still held.
  const QPoint from = GapPixel(s, 0, 0);
  const QPoint to = from + QPoint(420, 330);
  s.Move(from);
  s.Press(from);
  for (int i = 1; i <= 8; ++i)
    s.Move(from + (to - from) * i / 8);
  QApplication::processEvents();
  const QImage band = Shot(s, to, &cursor);
  std::printf("band: mode %d, %s, hint \"%s\"\n", s.document.Mode, qPrintable(cursor),
              qPrintable(s.box->Hint()));
  ok = Save(band, folder.filePath(QStringLiteral("rubber-band.png"))) && ok;
  s.Release(to);
  int selected = 0;
  for (CGPObject* object : s.document.Objects)
    selected += object->Selected ? 1 : 0;
  const QImage after = Shot(s, to, &cursor);
  std::printf("after the release: %d selected, %s\n", selected, qPrintable(cursor));
  ok = Save(after, folder.filePath(QStringLiteral("rubber-band-released.png"))) && ok;
  return ok ? 0 : 1;
}
