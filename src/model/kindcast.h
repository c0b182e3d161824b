// An object's class found from its kind code, for loops that ask it of every object of a
// model: a cast over the class tree walks it comparing type names for each object. Objects
// without a code of their own (a base part whose derived part is already destroyed) are asked
// the slow way.
#pragma once

#include "model/arrow.h"
#include "model/cluster.h"
#include "model/layers/angled.h"

class TKindCast {
 public:
  static TArrow* Arrow(CGPObject* object)
  {
    return object && object->KindCode() == okArrow ? static_cast<TArrow*>(object) : nullptr;
  }
  static const TArrow* Arrow(const CGPObject* object)
  {
    return Arrow(const_cast<CGPObject*>(object));
  }
  static TCluster* Cluster(CGPObject* object)
  {
    return object && object->KindCode() == okCluster ? static_cast<TCluster*>(object) : nullptr;
  }
  // A clustered object that is not a cluster: every coded kind but the arrow and the cluster.
  static TClusteredObject* Member(CGPObject* object)
  {
    if (!object) return nullptr;
    const int kind = object->KindCode();
    if (kind == okArrow || kind == okCluster) return nullptr;
    if (kind < 0) return dynamic_cast<TClusteredObject*>(object);
    return static_cast<TClusteredObject*>(object);
  }
  // Labels and the shapes with points: the objects that turn.
  static const TAngled* Angled(const CGPObject* object)
  {
    if (!object) return nullptr;
    switch (object->KindCode()) {
      case okLabel:
      case okDilemma:
      case okFreeShape:
      case okBlockArrow:
      case okCogi:
      case okCluster:
        return static_cast<const TAngled*>(object);
      case -1:
        return dynamic_cast<const TAngled*>(object);
      default:
        return nullptr;
    }
  }
};
