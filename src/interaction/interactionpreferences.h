// The preferences the operation modes read: the right-click menu, the bee cursors and what
// format painting copies.
#pragma once

struct TInteractionPreferences {
  bool PopupMenus = true;
  bool BeeCursors = true;
  bool FormatShape = false;
  bool FormatSize = false;
  bool FormatFont = true;
  bool FormatFill = true;
  bool FormatLine = true;
  bool Format3D = true;
  bool FormatShadow = true;
};
