#include "app/commandline.h"

#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>

#include "app/headlesscommands.h"
#include "app/mainform.h"
#include "app/printing/systemprinter.h"
#include "app/shell/splashform.h"

namespace {

QtMessageHandler previousHandler = nullptr;

// Qt warns on every start without XDG_RUNTIME_DIR, which runs from scripts, cron or ssh
// often lack, and scripts read stderr for errors: that one notice is dropped, every other
// message goes on as before.
void HeadlessMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
  if (type == QtWarningMsg &&
      message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
    return;
  previousHandler(type, context, message);
}

void Print(FILE* stream, const QString& text)
{
  const QByteArray bytes = text.toLocal8Bit();
  std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
  std::fflush(stream);
}

}  // namespace

TCommandLine::TCommandLine() : subcommands_(HeadlessCommands()) {}

QString TCommandLine::VersionText()
{
  return QStringLiteral("Mindorra " MINDORRA_VERSION);
}

QString TCommandLine::HelpText() const
{
  QString text;
  QTextStream out(&text);
  out << "Usage: mindorra [FILE.mdl ...]\n"
      << "       mindorra COMMAND [ARGUMENTS]\n\n"
      << "Without a command, starts the desktop program and opens the model files named.\n\n"
      << "Options:\n"
      << "  --help       show this help and exit\n"
      << "  --version    show the version and exit\n"
      << "  --no-splash  start without the start-up picture\n";
  if (!subcommands_.empty()) {
    out << "\nCommands (run without a display):\n";
    for (const TSubcommand& c : subcommands_)
      out << "  " << c.Name << ' ' << c.Usage << "\n      " << c.Summary << '\n';
  }
  return text;
}

const TCommandLine::TSubcommand* TCommandLine::Find(const QString& name) const
{
  for (const TSubcommand& c : subcommands_)
    if (c.Name == name) return &c;
  return nullptr;
}

int TCommandLine::UsageError(const QString& message) const
{
  Print(stderr, QStringLiteral("mindorra: %1 (try 'mindorra --help')\n").arg(message));
  return 2;
}

int TCommandLine::Run(int argc, char** argv)
{
  QStringList args;
  for (int i = 1; i < argc; ++i)
    args << QString::fromLocal8Bit(argv[i]);

  if (!args.isEmpty() && !args.front().startsWith(QLatin1Char('-'))) {
    if (const TSubcommand* command = Find(args.front()))
      return RunHeadless(argc, argv, *command, args.mid(1));
  }

  QStringList files;
  bool splash = true;
  for (const QString& arg : args) {
    if (arg == QLatin1String("--version")) {
      Print(stdout, VersionText() + QLatin1Char('\n'));
      return 0;
    }
    if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
      Print(stdout, HelpText());
      return 0;
    }
    if (arg == QLatin1String("--no-splash")) {
      splash = false;
      continue;
    }
    if (arg.startsWith(QLatin1Char('-')))
      return UsageError(QStringLiteral("unknown option '%1'").arg(arg));
    // Anything else must be a model to open: a known extension or an existing file.
    if (!arg.endsWith(QLatin1String(".mdl"), Qt::CaseInsensitive) && !QFileInfo(arg).isFile())
      return UsageError(QStringLiteral("unknown command '%1'").arg(arg));
    files << arg;
  }
  return RunDesktop(argc, argv, files, splash);
}

int TCommandLine::RunHeadless(int argc, char** argv, const TSubcommand& command,
                              const QStringList& args)
{
  // Headless work must never need a display, whatever the environment says.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  previousHandler = qInstallMessageHandler(HeadlessMessages);
  QGuiApplication app(argc, argv);
  return command.Handler(args);
}

int TCommandLine::RunDesktop(int argc, char** argv, const QStringList& files, bool splash)
{
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Mindorra"));
  QApplication::setOrganizationName(QStringLiteral("Mindorra"));
  QApplication::setWindowIcon(TSplashForm::ProgramIcon());
  if (splash) TSplashForm::ShowSplash(false);
  int status = 0;
  // Pages are measured by the system's printer, or by the locale's paper when there is none.
  TSystemPrinter printer;
  TSystemPrinter::Install(&printer);
  {
    TMainForm mainForm;
    mainForm.SetStartFiles(files);
    // The first show starts the load step, which hides the splash when it ends.
    mainForm.show();
    // Where no window manager keeps it on top, the splash comes back above the main window.
    if (TSplashForm* shown = TSplashForm::Current()) shown->raise();
    status = app.exec();
  }
  TSystemPrinter::Install(nullptr);
  // Also when the program ends before the load step ran.
  TSplashForm::HideSplash();
  return status;
}
