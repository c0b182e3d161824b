// A program the recovery tests run as separate processes:
//   recoveryhelper crash FILE   open FILE, record one edit, then die without cleaning up
//   recoveryhelper hold FILE    the same edit, then print the recovery file and wait on stdin
//   recoveryhelper recover      run the start-up recovery and print what came back
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
    for (QMdiSubWindow* sub : main.ModelArea()->subWindowList()) {
      auto* form = qobject_cast<TModelForm*>(sub->widget());
      std::printf("%s|%d|%d\n", qPrintable(form->windowTitle()),
                  static_cast<int>(form->Document().Objects.size()),
                  form->Document().Named ? 1 : 0);
    }
    std::fflush(stdout);
    return 0;
  }
  if (argc < 3) return 2;
  TModelForm* form = main.OpenModel(QString::fromLocal8Bit(argv[2]), false);
  if (!form) return 3;
  MakeEdit(form->Document());
  if (mode == QLatin1String("crash")) {
    std::raise(SIGKILL);
    return 4;
  }
  std::printf("%s\n", qPrintable(form->Document().RecoverFileName));
  std::fflush(stdout);
  std::string line;
  std::getline(std::cin, line);
  return 0;
}
