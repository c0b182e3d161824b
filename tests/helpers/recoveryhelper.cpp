// A program the recovery tests run as separate processes:
//   recoveryhelper crash FILE      open FILE, record one edit, then die without cleaning up
//   recoveryhelper hold FILE       the same edit, then print the recovery file and wait on stdin
//   recoveryhelper recover         run the start-up recovery, print what came back, undo in
//                                  every window and print what the undo gave
//   recoveryhelper recover-hold    run the start-up recovery, print each window's title and
//                                  recovery file, "end", and wait on stdin
//   recoveryhelper recover-paused  look for recovery files, print "scanned", wait for a line on
//                                  stdin, then take them over and go on as recover-hold
// Every line it prints is flushed at once, so the test can follow it step by step.
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>

#include "app/dialogs/dialogservice.h"
#include "app/mainform.h"
#include "app/modelform.h"
#include "document/modeldocument.h"
#include "io/recovery.h"
#include "io/undorecorder.h"
#include "model/cogi.h"

namespace {

void MakeEdit(TModelDocument& document)
{
  auto* cogi = static_cast<TCogi*>(document.CreateObject(okCogi));
  cogi->X = 7;
  cogi->Y = 5;
  cogi->SetShape(7, 1);
  cogi->Recalculate(&document.Objects, true);
  document.ChangePending = true;
  document.RecordUndo(QStringLiteral("Create Shapes"));
}

// Errors go to the terminal, where the test reads them, instead of a message box; no other
// question is ever asked.
class TConsoleDialogs : public IDialogService {
 public:
  void Beep(TBeep) override {}

 protected:
  void DoMessage(TBoxKind, const QString&, const QString& text) override
  {
    std::fprintf(stderr, "error: %s\n", qPrintable(text));
  }
  TAnswer DoAsk(TBoxKind, const QString&, const QString&, TButtons) override
  {
    return TAnswer::Cancel;
  }
  std::optional<QString> DoInputText(const QString&, const QString&, const QString&) override
  {
    return std::nullopt;
  }
  std::optional<TFileChoice> DoOpenFiles(const TFileRequest&) override { return std::nullopt; }
  std::optional<QString> DoSaveFile(const TFileRequest&) override { return std::nullopt; }
  std::optional<TColorRef> DoChooseColour(const QString&, TColorRef) override
  {
    return std::nullopt;
  }
  std::optional<QString> DoChooseFolder(const QString&, const QString&) override
  {
    return std::nullopt;
  }
};

void Say(const QString& line)
{
  std::printf("%s\n", qPrintable(line));
  std::fflush(stdout);
}

void WaitForLine()
{
  std::string line;
  std::getline(std::cin, line);
}

QList<TModelForm*> Windows(const TMainForm& main)
{
  QList<TModelForm*> forms;
  for (QMdiSubWindow* sub : main.ModelArea()->subWindowList())
    forms << qobject_cast<TModelForm*>(sub->widget());
  return forms;
}

// title|recovery file of every window, then "end"; then waits until told to finish.
int HoldWindows(const TMainForm& main)
{
  for (TModelForm* form : Windows(main))
    Say(form->windowTitle() + QLatin1Char('|') + form->Document().RecoverFileName);
  Say(QStringLiteral("end"));
  WaitForLine();
  return 0;
}

}  // namespace

int main(int argc, char** argv)
{
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
  TConsoleDialogs dialogs;
  TMainForm main(dialogs);
  if (mode == QLatin1String("recover")) {
    main.RecoverModels();
    // title|objects|named|undo caption|objects after one undo
    for (TModelForm* form : Windows(main)) {
      TModelDocument& document = form->Document();
      const int objects = static_cast<int>(document.Objects.size());
      const QString undo = TUndoRecorder::UndoCaption(document).second;
      form->Recorder().Undo(document);
      Say(QStringLiteral("%1|%2|%3|%4|%5")
              .arg(form->windowTitle())
              .arg(objects)
              .arg(document.Named ? 1 : 0)
              .arg(undo)
              .arg(document.Objects.size()));
    }
    return 0;
  }
  if (mode == QLatin1String("recover-hold")) {
    main.RecoverModels();
    return HoldWindows(main);
  }
  if (mode == QLatin1String("recover-paused")) {
    std::vector<TRecoveryClaim> found = TRecovery::FindRecoveryFiles();
    Say(QStringLiteral("scanned"));
    WaitForLine();
    main.RecoverModels(std::move(found));
    return HoldWindows(main);
  }
  if (argc < 3) return 2;
  TModelForm* form = main.OpenModel(QString::fromLocal8Bit(argv[2]), false);
  if (!form) return 3;
  MakeEdit(form->Document());
  if (mode == QLatin1String("crash")) {
    std::raise(SIGKILL);
    return 4;
  }
  Say(form->Document().RecoverFileName);
  WaitForLine();
  return 0;
}
