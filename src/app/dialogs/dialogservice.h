// Every question, message and common dialog of the program goes through this one service, so
// that commands never open a dialog themselves and tests answer them in-process. Texts may
// use "\r" for a line break as the program's messages are written; the service turns it into
// a real line break before anyone sees it.
#pragma once

#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

#include "platform/color.h"

enum class TBoxKind { Information, Warning, Error, Question };
enum class TAnswer { Ok, Yes, No, Cancel };
enum class TButtons { Ok, YesNo, YesNoCancel };
// The system sounds a beep can make.
enum class TBeep { Default, Exclamation, Question, Asterisk };

// What an open or save dialog offers. Filters are written as alternating descriptions and
// patterns: "CGP Model (*.mdl)|*.mdl|All files (*.*)|*.*".
struct TFileRequest {
  QString Title;
  QString Folder;
  QString FileName;
  QString Filter;
  QString DefaultSuffix;        // added when the chosen name has none
  bool MultipleFiles = false;   // open
  bool OfferReadOnly = false;   // open: the "Open as read-only" check box
  bool OverwritePrompt = true;  // save
  bool PreviewModels = false;   // open: shows the picture stored in a model file
};

struct TFileChoice {
  QStringList Files;
  bool ReadOnly = false;  // the state of the read-only check box
};

class IDialogService {
 public:
  virtual ~IDialogService() = default;

  // A message box with OK.
  void Message(TBoxKind kind, const QString& title, const QString& text);
  // A message box with the buttons given; closing it otherwise answers Cancel (or No when
  // there is no Cancel).
  TAnswer Ask(TBoxKind kind, const QString& title, const QString& text, TButtons buttons);
  // An input box; none when cancelled.
  std::optional<QString> InputText(const QString& title, const QString& prompt,
                                   const QString& preset);
  // Open and save dialogs; none when cancelled.
  std::optional<TFileChoice> OpenFiles(const TFileRequest& request);
  std::optional<QString> SaveFile(const TFileRequest& request);
  std::optional<TColorRef> ChooseColour(const QString& title, TColorRef initial);
  std::optional<QString> ChooseFolder(const QString& caption, const QString& initial);
  // The size in pixels of an exported picture, within the export's bounds; none when the
  // user closed the question without choosing.
  std::optional<QSize> ImageSize();
  virtual void Beep(TBeep sound) = 0;

  // The program's one error path: a beep, and when there is a message an error box whose
  // text is "Error." and a blank line before the message.
  void ReportError(const QString& message);

  // "\r" and "\r\n" as line breaks.
  static QString Lines(const QString& text);

 protected:
  virtual void DoMessage(TBoxKind kind, const QString& title, const QString& text) = 0;
  virtual TAnswer DoAsk(TBoxKind kind, const QString& title, const QString& text,
                        TButtons buttons) = 0;
  virtual std::optional<QString> DoInputText(const QString& title, const QString& prompt,
                                             const QString& preset) = 0;
  virtual std::optional<TFileChoice> DoOpenFiles(const TFileRequest& request) = 0;
  virtual std::optional<QString> DoSaveFile(const TFileRequest& request) = 0;
  virtual std::optional<TColorRef> DoChooseColour(const QString& title, TColorRef initial) = 0;
  virtual std::optional<QString> DoChooseFolder(const QString& caption, const QString& initial) = 0;
  // By default asked as one input box holding "width x height".
  virtual std::optional<QSize> DoImageSize();
};
