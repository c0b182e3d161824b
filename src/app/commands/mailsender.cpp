#include "app/commands/mailsender.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "app/dialogs/dialogservice.h"
#include "document/modeldocument.h"
#include "io/modelfile.h"
#include "io/modelstream.h"
#include "platform/streams/streamerror.h"

namespace {

// xdg-email only hands the mail to the desktop's mail program, so it ends soon.
constexpr int kWaitMs = 60000;

}  // namespace

bool TMailSender::SendModel(TModelDocument& document)
{
  const QString program = QStandardPaths::findExecutable(Program());
  auto folder =
      std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/mindorra-mail-XXXXXX"));
  if (program.isEmpty() || !folder->isValid()) {
    dialogs_.ReportError(QStringLiteral("MAPI failed"));
    return false;
  }
  QString name = QFileInfo(document.FileName).completeBaseName();
  if (name.isEmpty()) name = QStringLiteral("Untitled");
  const QString attachment = folder->filePath(name + QStringLiteral(".mdl"));
  try {
    TModelFile::WriteFileAtomically(attachment, TModelStream::WriteModel(document));
  } catch (const EStreamError& error) {
    dialogs_.ReportError(error.Message());
    return false;
  }
  folders_.push_back(std::move(folder));
  attachments_ << attachment;
  QProcess mail;
  mail.start(program, {QStringLiteral("--attach"), attachment});
  if (!mail.waitForStarted()) {
    dialogs_.ReportError(QStringLiteral("MAPI failed"));
    return false;
  }
  if (!mail.waitForFinished(kWaitMs) || mail.exitStatus() != QProcess::NormalExit ||
      mail.exitCode() != 0) {
    dialogs_.ReportError(QStringLiteral("MAPI Sendmail failed"));
    return false;
  }
  return true;
}
