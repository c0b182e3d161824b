// Fills a document with a large, varied model for benchmarks and demonstrations.
#pragma once

#include "document/modeldocument.h"

class TModelGenerator {
 public:
  // About count objects: hexagons of every variant with formatted text, a cluster under
  // every group of nine, and an arrow for every second object.
  static void Build(TModelDocument& document, int count);
};
