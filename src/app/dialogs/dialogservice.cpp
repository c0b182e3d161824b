#include "app/dialogs/dialogservice.h"

#include "app/commands/imagesize.h"

QString IDialogService::Lines(const QString& text)
{
  QString result = text;
  result.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return result;
}

void IDialogService::Message(TBoxKind kind, const QString& title, const QString& text)
{
  DoMessage(kind, Lines(title), Lines(text));
}

TAnswer IDialogService::Ask(TBoxKind kind, const QString& title, const QString& text,
                            TButtons buttons)
{
  return DoAsk(kind, Lines(title), Lines(text), buttons);
}

std::optional<QString> IDialogService::InputText(const QString& title, const QString& prompt,
                                                 const QString& preset)
{
  return DoInputText(Lines(title), Lines(prompt), preset);
}

std::optional<TFileChoice> IDialogService::OpenFiles(const TFileRequest& request)
{
  std::optional<TFileChoice> choice = DoOpenFiles(request);
  if (choice && choice->Files.isEmpty()) return std::nullopt;
  return choice;
}

std::optional<QString> IDialogService::SaveFile(const TFileRequest& request)
{
  std::optional<QString> file = DoSaveFile(request);
  if (file && file->isEmpty()) return std::nullopt;
  return file;
}

std::optional<TColorRef> IDialogService::ChooseColour(const QString& title, TColorRef initial)
{
  return DoChooseColour(Lines(title), initial);
}

std::optional<QString> IDialogService::ChooseFolder(const QString& caption, const QString& initial)
{
  std::optional<QString> folder = DoChooseFolder(Lines(caption), initial);
  if (folder && folder->isEmpty()) return std::nullopt;
  return folder;
}

void IDialogService::ReportError(const QString& message)
{
  Beep(TBeep::Exclamation);
  if (!message.isEmpty())
    Message(TBoxKind::Error, QStringLiteral("Error"), QStringLiteral("Error.\r\r") + message);
}

std::optional<QSize> IDialogService::ImageSize()
{
  const std::optional<QSize> size = DoImageSize();
  if (!size) return std::nullopt;
  return TImageSize::Bounded(*size);
}

std::optional<QSize> IDialogService::DoImageSize()
{
  const std::optional<QString> text =
      DoInputText(TImageSize::Caption(), QStringLiteral("Size in pixels (width x height):"),
                  QStringLiteral("640x480"));
  if (!text) return std::nullopt;
  return TImageSize::Parse(*text);
}
