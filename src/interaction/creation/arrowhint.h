// The status hint of an arrow end: what the cursor over its target means.
#pragma once

#include <QString>

#include "interaction/cursorid.h"

inline QString ArrowEndHint(int cursor, const QString& otherwise)
{
  switch (cursor) {
    case crCrossAuto:
      return QStringLiteral(
          "|Auto Point.  The arrow will connect itself with the best suited point.");
    case crCrossLock:
      return QStringLiteral("|Lock Point.  Lock the arrow to this point.");
    default:
      return otherwise;
  }
}
