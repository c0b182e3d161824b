#include "app/dialogs/qtdialogservice.h"

#include "app/commands/imagesizedialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QFileDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

#include "app/dialogs/accessiblenames.h"
#include "io/pictures/modelthumbnail.h"

namespace {

QMessageBox::Icon IconOf(TBoxKind kind)
{
  switch (kind) {
    case TBoxKind::Information:
      return QMessageBox::Information;
    case TBoxKind::Warning:
      return QMessageBox::Warning;
    case TBoxKind::Error:
      return QMessageBox::Critical;
    case TBoxKind::Question:
      return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

void PrepareFileDialog(QFileDialog& dialog, const TFileRequest& request)
{
  dialog.setWindowTitle(request.Title);
  if (!request.Folder.isEmpty()) dialog.setDirectory(request.Folder);
  if (!request.Filter.isEmpty()) dialog.setNameFilter(TQtDialogService::QtFilter(request.Filter));
  if (!request.FileName.isEmpty()) dialog.selectFile(request.FileName);
  if (!request.DefaultSuffix.isEmpty()) dialog.setDefaultSuffix(request.DefaultSuffix);
}

// The picture a model file keeps in its header, beside the file list.
void AddModelPreview(QFileDialog& dialog)
{
  auto* layout = qobject_cast<QGridLayout*>(dialog.layout());
  if (!layout) return;
  auto* preview = new QLabel(&dialog);
  preview->setAccessibleName(QStringLiteral("Preview"));
  preview->setFixedSize(157, 216);
  preview->setAlignment(Qt::AlignCenter);
  layout->addWidget(preview, 0, layout->columnCount(), layout->rowCount(), 1);
  QObject::connect(&dialog, &QFileDialog::currentChanged, preview, [preview](const QString& path) {
    preview->setPixmap(QPixmap::fromImage(TModelThumbnail::Picture(path, true)));
  });
}

}  // namespace

void TQtDialogService::Beep(TBeep)
{
  QApplication::beep();
}

QString TQtDialogService::QtFilter(const QString& filter)
{
  static const QRegularExpression trailingPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i];
    description.remove(trailingPatterns);
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    filters << QStringLiteral("%1 (%2)").arg(description, patterns.simplified());
  }
  return filters.join(QStringLiteral(";;"));
}

void TQtDialogService::DoMessage(TBoxKind kind, const QString& title, const QString& text)
{
  QMessageBox box(IconOf(kind), title, text, QMessageBox::Ok, parent_);
  TAccessibleNames::NameControls(&box);
  box.exec();
}

TAnswer TQtDialogService::DoAsk(TBoxKind kind, const QString& title, const QString& text,
                                TButtons buttons)
{
  QMessageBox::StandardButtons standard = QMessageBox::Ok;
  if (buttons == TButtons::YesNo) standard = QMessageBox::Yes | QMessageBox::No;
  if (buttons == TButtons::YesNoCancel)
    standard = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  QMessageBox box(IconOf(kind), title, text, standard, parent_);
  box.setEscapeButton(buttons == TButtons::YesNoCancel ? QMessageBox::Cancel
                      : buttons == TButtons::YesNo     ? QMessageBox::No
                                                       : QMessageBox::Ok);
  TAccessibleNames::NameControls(&box);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return TAnswer::Yes;
    case QMessageBox::No:
      return TAnswer::No;
    case QMessageBox::Ok:
      return TAnswer::Ok;
    default:
      return buttons == TButtons::YesNo ? TAnswer::No : TAnswer::Cancel;
  }
}

std::optional<QString> TQtDialogService::DoInputText(const QString& title, const QString& prompt,
                                                     const QString& preset)
{
  QInputDialog dialog(parent_);
  dialog.setWindowTitle(title);
  dialog.setLabelText(prompt);
  dialog.setTextValue(preset);
  TAccessibleNames::NameControls(&dialog);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.textValue();
}

std::optional<TFileChoice> TQtDialogService::DoOpenFiles(const TFileRequest& request)
{
  QFileDialog dialog(parent_);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(request.MultipleFiles ? QFileDialog::ExistingFiles
                                           : QFileDialog::ExistingFile);
  QCheckBox* readOnly = nullptr;
  if (request.OfferReadOnly || request.PreviewModels) {
    // Our own controls go into Qt's dialog, which the desktop's own cannot take.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (request.PreviewModels) AddModelPreview(dialog);
    if (auto* layout = qobject_cast<QGridLayout*>(dialog.layout());
        layout && request.OfferReadOnly) {
      readOnly = new QCheckBox(QStringLiteral("Open as &read-only"), &dialog);
      layout->addWidget(readOnly, layout->rowCount(), 0, 1, -1);
    }
  }
  PrepareFileDialog(dialog, request);
  TAccessibleNames::NameControls(&dialog);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return TFileChoice{dialog.selectedFiles(), readOnly && readOnly->isChecked()};
}

std::optional<QString> TQtDialogService::DoSaveFile(const TFileRequest& request)
{
  QFileDialog dialog(parent_);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.OverwritePrompt);
  PrepareFileDialog(dialog, request);
  TAccessibleNames::NameControls(&dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front();
}

std::optional<TColorRef> TQtDialogService::DoChooseColour(const QString& title, TColorRef initial)
{
  QColorDialog dialog(QColor(RedOf(initial), GreenOf(initial), BlueOf(initial)), parent_);
  dialog.setWindowTitle(title);
  TAccessibleNames::NameControls(&dialog);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QColor chosen = dialog.selectedColor();
  return MakeColorRef(chosen.red(), chosen.green(), chosen.blue());
}

std::optional<QString> TQtDialogService::DoChooseFolder(const QString& caption,
                                                        const QString& initial)
{
  QFileDialog dialog(parent_, caption, initial);
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly);
  TAccessibleNames::NameControls(&dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front();
}

std::optional<QSize> TQtDialogService::DoImageSize()
{
  TImageSizeDialog dialog(parent_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.ChosenSize();
}
