// Sets the locked mode while a handler works, so that events arriving meanwhile are
// ignored, and puts the working mode back however the handler ends.
#pragma once

#include "document/modeldocument.h"

class TModeLock {
 public:
  explicit TModeLock(TModelDocument& document) : document_(document), saved_(document.Mode)
  {
    document_.Mode = opLocked;
  }
  ~TModeLock() { document_.Mode = saved_; }
  TModeLock(const TModeLock&) = delete;
  TModeLock& operator=(const TModeLock&) = delete;

 private:
  TModelDocument& document_;
  TOperationMode saved_;
};
