// Sends a model by e-mail through the desktop's mail program (xdg-email). The attachment is
// written into a private folder of its own that lives until the sender goes (at exit),
// because xdg-email returns before the mail program has read the file.
#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <vector>

class IDialogService;
class TModelDocument;

class TMailSender {
 public:
  explicit TMailSender(IDialogService& dialogs) : dialogs_(dialogs) {}

  // Writes the model as "<its file name>.mdl" and opens a new mail with it attached.
  // Failures are reported; returns whether the mail program took the attachment.
  bool SendModel(TModelDocument& document);
  // The attachments written so far (for the user's own cleanup and for tests).
  QStringList Attachments() const { return attachments_; }

  // The program asked for; tests put a stand-in of that name on PATH.
  static QString Program() { return QStringLiteral("xdg-email"); }

 private:
  IDialogService& dialogs_;
  std::vector<std::unique_ptr<QTemporaryDir>> folders_;
  QStringList attachments_;
};
