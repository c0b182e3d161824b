#include "interaction/creation/anchormarks.h"

#include "document/overlay.h"
#include "interaction/interactionhost.h"

void TAnchorMarks::Show(IInteractionHost& host, const TModelDocument& document, CGPObject* object)
{
  Hide(host);
  if (!object) return;
  object_ = object;
  figure_.Draw(host.Overlay(),
               [&document, object](TOverlay& overlay) { overlay.AnchorMarks(document, *object); });
  host.OverlayChanged();
}

void TAnchorMarks::Hide(IInteractionHost& host)
{
  if (!object_) return;
  figure_.Erase(host.Overlay());
  object_ = nullptr;
  host.OverlayChanged();
}

void TAnchorMarks::ObjectDestroyed(IInteractionHost& host, const CGPObject* object)
{
  if (object && object == object_) Hide(host);
}
