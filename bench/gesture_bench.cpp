// Times the mouse gestures of the editor on large models, each as the user's hand makes it
// through the real drawing surface, and prints one table:
//   gesture_bench [N ...]        (default 1000 10000 50000)
// Rows: hover (one move over the objects: hit test, cursor and hint), click (selecting an
// object, with the repaint), band (a rubber band released over half the model), sting (a
// click that deletes an object, with the repaint); snap move (the hexagon tool's outline
// following the pointer over the model with vertex snapping), snap shown (the same with the
// window showing the outline), snap index (filing the model's vertices when the tool first
// snaps), place (a click that places a hexagon, with the repaint; the tool's undo entry,
// recorded when it ends, is left out), move (one step of dragging 1,000 selected
// objects in a maximised window: pending places, grid and shape snapping, the outlines
// erased and drawn, and the window painted with them) and drop (the release that moves them,
// refreshes clusters and arrows, records the undo entry and repaints). Times are medians in
// milliseconds. window drag and window drop: the same between two normal model windows
// (WindowDropRows).
#include <QApplication>
#include <QStringList>
#include <cmath>
#include <cstdio>
#include <map>
#include <thread>

#include <QMdiArea>
#include <QMdiSubWindow>

#include "document/modelview.h"
#include "platform/memorypolicy.h"
#include "support/benchsurface.h"

namespace {

using TRow = std::map<QString, double>;

// The model at 100 % about its middle.
void ShowMiddle(TBenchSurface& s)
{
  TModelView view(s.document);
  view.SetView(false, 100, s.document.ModelWidth / 2, s.document.ModelHeight / 2, 0, 0);
  s.box->PaintNow(false);
}

CGPObject* VisibleCogi(TBenchSurface& s, int i)
{
  const TObjectList& visible = s.document.VisibleObjects;
  for (std::size_t k = 0; k < visible.size(); ++k) {
    CGPObject* object = visible[(k + static_cast<std::size_t>(i) * 7) % visible.size()];
    if (object->KindCode() == okCogi) return object;
  }
  return nullptr;
}

void SelectionRows(int n, TRow& row)
{
  TBenchSurface s(n);
  ShowMiddle(s);
  row[QStringLiteral("hover")] =
      MedianMs(41, [&](int i) { s.Move(QPoint(40 + (i * 43) % 1840, 40 + (i * 29) % 1000)); });
  row[QStringLiteral("click")] = MedianMs(9, [&](int i) {
    CGPObject* object = VisibleCogi(s, i);
    const QPoint at = s.Pixel(object->Centre());
    s.Press(at);
    s.Release(at);
  });
  TModelView(s.document).ShowWholeModel();
  s.box->PaintNow(false);
  const QPoint from = s.Pixel({-0.2, -0.2});
  const QPoint to = s.Pixel({s.document.ModelWidth / 2, s.document.ModelHeight + 0.2});
  std::vector<double> bands;
  for (int i = 0; i < 3; ++i) {
    s.Press(from);
    s.Move(from + QPoint(10, 10));
    s.Move(to);
    bands.push_back(MedianMs(1, [&](int) { s.Release(to); }));
  }
  std::sort(bands.begin(), bands.end());
  row[QStringLiteral("band")] = bands[1];
  ShowMiddle(s);
  s.document.ChangeMode(opSting);
  row[QStringLiteral("sting")] = MedianMs(9, [&](int i) {
    CGPObject* object = VisibleCogi(s, i);
    const QPoint at = s.Pixel(object->Centre());
    s.Press(at);
    s.Release(at);
  });
  s.document.ChangeMode(opNone);
}

void PlaceRows(int n, TRow& row)
{
  TBenchSurface s(n);
  ShowMiddle(s);
  TModelDocument& d = s.document;
  d.SnapToShape = true;
  d.CreateKind = okCogi;
  d.CreateVariant = 7;
  d.CreateWidth = d.CreateHeight = 1.25;
  d.ChangeMode(opPlaceShape);
  // The first snap files the model's vertices.
  row[QStringLiteral("snap index")] = MedianMs(1, [&](int) { s.Move(QPoint(960, 540)); });
  row[QStringLiteral("snap move")] =
      MedianMs(41, [&](int i) { s.Move(QPoint(40 + (i * 43) % 1840, 40 + (i * 29) % 1000)); });
  row[QStringLiteral("snap shown")] = MedianMs(41, [&](int i) {
    s.Move(QPoint(40 + (i * 43) % 1840, 40 + (i * 29) % 1000));
    QApplication::processEvents();
  });
  row[QStringLiteral("place")] = MedianMs(9, [&](int i) {
    const QPoint at(100 + (i * 197) % 1700, 100 + (i * 113) % 880);
    s.Move(at);
    s.Press(at);
    s.Release(at);
  });
  d.ChangeMode(opNone);
}

// The count objects nearest the middle of the view, selected.
void SelectNearMiddle(TBenchSurface& s, std::size_t count)
{
  const TModelPoint middle = s.document.WindowCentre();
  std::vector<std::pair<double, CGPObject*>> byDistance;
  for (CGPObject* object : s.document.Objects)
    byDistance.emplace_back(std::hypot(object->X - middle.X, object->Y - middle.Y), object);
  count = std::min(count, byDistance.size());
  std::partial_sort(byDistance.begin(), byDistance.begin() + static_cast<std::ptrdiff_t>(count),
                    byDistance.end());
  s.document.DeselectAll(false);
  for (std::size_t i = 0; i < count; ++i)
    byDistance[i].second->Selected = true;
  s.box->PaintNow(false);
}

void MoveRows(int n, TRow& row)
{
  TBenchSurface s(n);
  ShowMiddle(s);
  SelectNearMiddle(s, 1000);
  // The selected Cogi nearest the middle, so that the drag stays clear of the border where
  // the view would scroll.
  const TModelPoint middle = s.document.WindowCentre();
  CGPObject* grabbed = nullptr;
  for (CGPObject* object : s.document.VisibleObjects)
    if (object->Selected && object->KindCode() == okCogi &&
        (!grabbed || std::hypot(object->X - middle.X, object->Y - middle.Y) <
                         std::hypot(grabbed->X - middle.X, grabbed->Y - middle.Y)))
      grabbed = object;
  const QPoint from = s.Pixel(grabbed->Centre());
  // Each step wanders a few pixels, as a hand does, so that the snapping finds new pairs.
  const auto step = [&](int i) { return from + QPoint(20 + (i * 7) % 60, 10 + (i * 5) % 40); };
  s.Press(from);
  s.Move(from + QPoint(10, 10));
  row[QStringLiteral("move")] = MedianMs(41, [&](int i) {
    s.Move(step(i));
    s.box->repaint();
  });
  s.Release(step(41));
  std::vector<double> drops;
  for (int i = 0; i < 5; ++i) {
    const QPoint at = s.Pixel(grabbed->Centre());
    s.Press(at);
    s.Move(at + QPoint(10, 10));
    s.Move(at + QPoint(24 + 8 * i, 24));
    drops.push_back(MedianMs(1, [&](int) { s.Release(at + QPoint(24 + 8 * i, 24)); }));
  }
  std::sort(drops.begin(), drops.end());
  row[QStringLiteral("drop")] = drops[drops.size() / 2];
}

// ---- Dragging the selection from one model window to another

// A model window of a generated model inside the document area, not maximised.
class TBenchWindow : public IDocumentObserver {
 public:
  TBenchWindow(int objects, QMdiArea& area)
  {
    TModelGenerator::Build(document, objects);
    document.SetUndoRecorder(&recorder);
    document.SetObserver(this);
    box = new TModelPaintBox(document);
    sub = area.addSubWindow(box);
    TUndoRecorder::TakeBaseline(document);
  }
  ~TBenchWindow() override { document.SetObserver(nullptr); }

  void Repaint() override { box->Repaint(); }
  void UpdateControls() override {}
  void SyncTextToolbar() override {}
  void Beep() override {}
  void PaintNow(bool fast) override { box->PaintNow(fast); }

  TModelDocument document;
  TUndoRecorder recorder;
  TModelPaintBox* box = nullptr;  // owned by its sub-window
  QMdiSubWindow* sub = nullptr;
};

// Two windows of n objects side by side; the first drags its selection onto the second.
struct TBenchWindows {
  explicit TBenchWindows(int n) : from(n, area), to(n, area)
  {
    area.resize(1940, 1100);
    area.show();
    from.sub->setGeometry(0, 0, 960, 1080);
    to.sub->setGeometry(980, 0, 960, 1080);
    from.sub->show();
    to.sub->show();
    if (!QTest::qWaitForWindowExposed(&area)) qWarning("the windows were not shown");
    for (TBenchWindow* w : {&from, &to}) {
      TModelView view(w->document);
      view.SetView(false, 100, w->document.ModelWidth / 2, w->document.ModelHeight / 2, 0, 0);
      w->box->PaintNow(false);
    }
  }
  ~TBenchWindows() { area.closeAllSubWindows(); }

  // Mouse events go to the surface pressed on, wherever the pointer is, as in a drag.
  void Send(QEvent::Type type, TBenchWindow& over, QPoint at, Qt::MouseButton button)
  {
    const QPoint global = over.box->mapToGlobal(at);
    QMouseEvent event(type, from.box->mapFromGlobal(global), global, button, buttons_, {},
                      QPointingDevice::primaryPointingDevice());
    QApplication::sendEvent(from.box, &event);
  }
  void Press(QPoint at)
  {
    buttons_ = Qt::LeftButton;
    Send(QEvent::MouseButtonPress, from, at, Qt::LeftButton);
  }
  void Move(TBenchWindow& over, QPoint at) { Send(QEvent::MouseMove, over, at, Qt::NoButton); }
  void Release(TBenchWindow& over, QPoint at)
  {
    buttons_ = {};
    Send(QEvent::MouseButtonRelease, over, at, Qt::LeftButton);
  }

  QMdiArea area;
  TBenchWindow from;
  TBenchWindow to;

 private:
  Qt::MouseButtons buttons_;
};

// The Cogi nearest the middle of the model (what earlier drops left) in the middle of a
// window's view, and the count objects nearest it selected; the pixel where the drag takes
// hold of it.
QPoint SelectForDrag(TBenchWindow& w, std::size_t count)
{
  TModelDocument& d = w.document;
  const auto from = [](const CGPObject* o, TModelPoint p) {
    return std::hypot(o->X - p.X, o->Y - p.Y);
  };
  const TModelPoint middle{d.ModelWidth / 2, d.ModelHeight / 2};
  CGPObject* grabbed = nullptr;
  for (CGPObject* object : d.Objects)
    if (object->KindCode() == okCogi && (!grabbed || from(object, middle) < from(grabbed, middle)))
      grabbed = object;
  if (!grabbed) return {};
  TModelView view(d);
  view.SetView(false, 100, grabbed->X, grabbed->Y, 0, 0);
  std::vector<std::pair<double, CGPObject*>> byDistance;
  for (CGPObject* object : d.Objects)
    byDistance.emplace_back(from(object, grabbed->Centre()), object);
  count = std::min(count, byDistance.size());
  std::partial_sort(byDistance.begin(), byDistance.begin() + static_cast<std::ptrdiff_t>(count),
                    byDistance.end());
  d.DeselectAll(false);
  for (std::size_t i = 0; i < count; ++i)
    byDistance[i].second->Selected = true;
  w.box->PaintNow(false);
  return QPoint(view.ScreenX(grabbed->X), view.ScreenY(grabbed->Y));
}

// window drag: one step of dragging 1,000 selected objects over another window of the same
// size of model (the window found under the pointer, the outlines placed with grid and
// vertex snapping against that model, erased and drawn, and that window painted with them);
// window drop: the release there (the objects read into that model, its clusters and arrows
// refreshed, an undo entry recorded in each model, both windows painted).
void WindowDropRows(int n, TRow& row)
{
  TBenchWindows w(n);
  const auto step = [](int i) { return QPoint(300 + (i * 7) % 60, 400 + (i * 5) % 40); };
  // A model of 1,000 objects has one drop to give; larger ones give three.
  std::vector<double> drops;
  for (int run = 0; run < (n > 3000 ? 3 : 1); ++run) {
    const QPoint from = SelectForDrag(w.from, 1000);
    w.Press(from);
    w.Move(w.from, from + QPoint(10, 10));
    w.Move(w.to, step(0));
    if (run == 0)
      row[QStringLiteral("window drag")] = MedianMs(41, [&](int i) {
        w.Move(w.to, step(i + 1));
        w.to.box->repaint();
      });
    drops.push_back(MedianMs(1, [&](int) { w.Release(w.to, step(run)); }));
  }
  std::sort(drops.begin(), drops.end());
  row[QStringLiteral("window drop")] = drops[drops.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
  TMemoryPolicy::Apply();  // as the program does
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QList<int> sizes;
  for (const QString& arg : app.arguments().mid(1))
    sizes << arg.toInt();
  if (sizes.isEmpty()) sizes = {1000, 10000, 50000};
  std::printf("%u cores; times in ms (median) of one gesture step on a 1920 x 1080 window\n",
              std::thread::hardware_concurrency());
  std::vector<std::pair<int, TRow>> table;
  for (int n : sizes) {
    TRow row;
    SelectionRows(n, row);
    PlaceRows(n, row);
    MoveRows(n, row);
    WindowDropRows(n, row);
    table.emplace_back(n, row);
  }
  QStringList columns;
  for (const auto& [name, ms] : table.front().second)
    columns << name;
  std::printf("%8s", "N");
  for (const QString& c : columns)
    std::printf(" %10s", qPrintable(c));
  std::printf("\n");
  for (const auto& [n, row] : table) {
    std::printf("%8d", n);
    for (const QString& c : columns)
      std::printf(" %10.2f", row.at(c));
    std::printf("\n");
  }
  return 0;
}
