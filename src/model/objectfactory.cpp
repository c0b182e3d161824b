#include "model/objectfactory.h"

#include "model/arrow.h"

CGPObject* TObjectFactory::Create(int kind)
{
  switch (kind) {
    case 1: return new TArrow;
    default: return new CGPObject;
  }
}
