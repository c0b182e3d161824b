// The marks on the anchors of the object an arrow end would attach to, drawn over the model
// while the pointer is on it and taken away when it leaves.
#pragma once

#include "interaction/invertedfigure.h"

class CGPObject;
class IInteractionHost;
class TModelDocument;

class TAnchorMarks {
 public:
  // Marks the object's anchors (after taking away the marks shown before); none marks nothing.
  void Show(IInteractionHost& host, const TModelDocument& document, CGPObject* object);
  void Hide(IInteractionHost& host);
  CGPObject* Object() const { return object_; }
  // The marked object is about to be destroyed: its marks go first.
  void ObjectDestroyed(IInteractionHost& host, const CGPObject* object);

 private:
  TInvertedFigure figure_;
  CGPObject* object_ = nullptr;  // not owned
};
