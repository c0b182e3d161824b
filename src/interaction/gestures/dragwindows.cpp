#include "interaction/gestures/dragwindows.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWidget>

#include "interaction/interactionhost.h"
#include "interaction/modemachine.h"

namespace {

// The drawing surface is the host of its machine.
QWidget* SurfaceOf(const TModeMachine& machine)
{
  return dynamic_cast<QWidget*>(&machine.Host());
}

}  // namespace

std::optional<QPoint> TDragWindows::MapPixel(const TModeMachine& from, QPoint pixel,
                                             const TModeMachine& to)
{
  const QWidget* a = SurfaceOf(from);
  const QWidget* b = SurfaceOf(to);
  if (!a || !b) return std::nullopt;
  return b->mapFromGlobal(a->mapToGlobal(pixel));
}

void TDragWindows::Activate(const TModeMachine& machine)
{
  for (QWidget* w = SurfaceOf(machine); w; w = w->parentWidget()) {
    auto* sub = qobject_cast<QMdiSubWindow*>(w);
    if (!sub) continue;
    if (QMdiArea* area = sub->mdiArea()) area->setActiveSubWindow(sub);
    return;
  }
}
