// How the process asks the C library and the system to manage its memory.
#pragma once

class TMemoryPolicy {
 public:
  // Call once, first thing in main. Large blocks (serialised models of tens of megabytes, made
  // on every edit and undo) are taken from and returned to the heap instead of being mapped
  // afresh each time; and the heap is laid out in advance on large pages where the system
  // gives them on request, so that a model of many thousand objects fills a few hundred
  // large pages instead of tens of thousands of small ones. Touching fresh pages costs more
  // than building the objects or serialising into them.
  static void Apply();
  // Gives the memory freed by a closed model back to the system, which Apply otherwise keeps
  // for the next edit.
  static void GiveBack();
};
