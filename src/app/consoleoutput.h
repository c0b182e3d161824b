// What the command-line verbs write to the terminal: lines on stdout, "mindorra: " messages
// on stderr, usage errors (exit status 2), and an observer that sends a document's error
// messages there instead of to a window.
#pragma once

#include <QString>
#include <cstdio>

#include "document/documentobserver.h"

namespace console {

void Print(FILE* stream, const QString& text);
void PrintError(const QString& message);
// Reports a mistake in the arguments; returns the usage exit status.
int Usage(const QString& message);

class TConsoleObserver : public IDocumentObserver {
 public:
  void Repaint() override {}
  void UpdateControls() override {}
  void SyncTextToolbar() override {}
  void Beep() override {}
  void ReportError(const QString& message) override
  {
    if (!message.isEmpty()) PrintError(message);
  }
};

}  // namespace console
