// The operation modes as the document sees them: the interaction layer implements this, so
// that document commands change the mode through the one switch that runs its leave and
// entry actions, and so that a running gesture hears of objects that go away.
#pragma once

#include "model/operationmode.h"

class CGPObject;

class IModeController {
 public:
  virtual ~IModeController() = default;
  // Leaves the current mode (recording its edits) and enters the new one.
  virtual void SetMode(TOperationMode mode) = 0;
  // False while a button-held gesture works on objects that deleting would free.
  virtual bool ObjectsMayBeDeleted() const = 0;
  // An object is about to be destroyed: drop every reference the gesture holds to it.
  virtual void ObjectDestroyed(const CGPObject* object) = 0;
};
