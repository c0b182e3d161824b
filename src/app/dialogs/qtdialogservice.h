// The dialog service on the desktop: Qt's message boxes, input box, file, colour and folder
// dialogs, each with its controls named for screen readers.
#pragma once

#include <QPointer>
#include <QWidget>

#include "app/dialogs/dialogservice.h"

class TQtDialogService : public IDialogService {
 public:
  explicit TQtDialogService(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  void Beep(TBeep sound) override;

  // "CGP Model (*.mdl)|*.mdl|HTML (*.html, *.htm)|*.html;*.htm" as Qt writes filters:
  // "CGP Model (*.mdl);;HTML (*.html *.htm)".
  static QString QtFilter(const QString& filter);

 protected:
  void DoMessage(TBoxKind kind, const QString& title, const QString& text) override;
  TAnswer DoAsk(TBoxKind kind, const QString& title, const QString& text,
                TButtons buttons) override;
  std::optional<QString> DoInputText(const QString& title, const QString& prompt,
                                     const QString& preset) override;
  std::optional<TFileChoice> DoOpenFiles(const TFileRequest& request) override;
  std::optional<QString> DoSaveFile(const TFileRequest& request) override;
  std::optional<TColorRef> DoChooseColour(const QString& title, TColorRef initial) override;
  std::optional<QString> DoChooseFolder(const QString& caption, const QString& initial) override;
  std::optional<QSize> DoImageSize() override;

 private:
  QPointer<QWidget> parent_;
};
