// The dialog service: line breaks, the error path, filters, and the desktop's dialogs answered
// as a user would.
#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/dialogs/qtdialogservice.h"
#include "app/shell/filefilters.h"
#include "app/shelltestsupport.h"

using namespace shelltest;

namespace {

// Runs `answer` on the modal dialog as soon as it is shown.
void WhenModal(std::function<void(QWidget*)> answer)
{
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, answer] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      timer->stop();
      timer->deleteLater();
      answer(modal);
    }
  });
  timer->start();
}

}  // namespace

TEST(DialogService, LineBreaksAndTheOneErrorPath)
{
  EXPECT_EQ(IDialogService::Lines(QStringLiteral("\rSave Changes to plan.mdl ?")),
            QStringLiteral("\nSave Changes to plan.mdl ?"));
  EXPECT_EQ(IDialogService::Lines(QStringLiteral("a\r\nb\r\rc")), QStringLiteral("a\nb\n\nc"));
  TScriptedDialogs dialogs;
  dialogs.ReportError(QString());
  EXPECT_EQ(dialogs.beeps, 1);
  EXPECT_TRUE(dialogs.asked.empty());
  dialogs.ReportError(QStringLiteral("Invalid figure"));
  EXPECT_EQ(dialogs.beeps, 2);
  ASSERT_EQ(dialogs.asked.size(), 1u);
  EXPECT_EQ(dialogs.asked[0].Title, QStringLiteral("Error"));
  EXPECT_EQ(dialogs.asked[0].Text, QStringLiteral("Error.\n\nInvalid figure"));
}

TEST(DialogService, FilterListsBecomeQtFilters)
{
  EXPECT_EQ(TQtDialogService::QtFilter(filefilters::kLong),
            QStringLiteral("CGP Model (*.mdl);;HTML (*.html *.htm);;Text File (*.txt);;"
                           "JPEG (*.jpg *.jpeg);;Bitmap (*.bmp);;All files (*.*)"));
  EXPECT_EQ(TQtDialogService::QtFilter(filefilters::kProgram),
            QStringLiteral("Programs (*.bat *.com *.exe);;All files (*.*)"));
  EXPECT_TRUE(filefilters::IsExportName(QStringLiteral("/a/plan.JPEG")));
  EXPECT_FALSE(filefilters::IsExportName(QStringLiteral("/a/plan.mdl")));
  EXPECT_FALSE(filefilters::IsExportName(QStringLiteral("/a/plan.model")));
}

TEST(DialogService, TheDesktopsQuestionBoxIsAnsweredByItsNamedButtons)
{
  TQtDialogService dialogs;
  QString text;
  QStringList names;
  WhenModal([&](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    text = box->text();
    for (QAbstractButton* button : box->buttons())
      names << button->accessibleName();
    box->button(QMessageBox::No)->click();
  });
  EXPECT_EQ(dialogs.Ask(TBoxKind::Warning, QStringLiteral("Mindorra"),
                        QStringLiteral("\rSave Changes to plan.mdl ?"), TButtons::YesNoCancel),
            TAnswer::No);
  EXPECT_EQ(text, QStringLiteral("\nSave Changes to plan.mdl ?"));
  names.sort();
  EXPECT_EQ(names,
            (QStringList{QStringLiteral("Cancel"), QStringLiteral("No"), QStringLiteral("Yes")}));
  // Escape is Cancel where there is one.
  WhenModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
  EXPECT_EQ(dialogs.Ask(TBoxKind::Warning, QStringLiteral("Mindorra"), QStringLiteral("?"),
                        TButtons::YesNoCancel),
            TAnswer::Cancel);
}

TEST(DialogService, TheOpenDialogOffersReadOnlyAndAPreview)
{
  QTemporaryDir dir;
  TModelDocument document;
  iotest::AddCogi(document, 2, 2);
  const QString plan = dir.filePath(QStringLiteral("plan.mdl"));
  TModelFile::SaveModelFile(document, plan);
  TQtDialogService dialogs;
  bool previewed = false;
  WhenModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    QCheckBox* readOnly = dialog->findChild<QCheckBox*>();
    ASSERT_NE(readOnly, nullptr);
    EXPECT_EQ(readOnly->accessibleName(), QStringLiteral("Open as read-only"));
    Q_EMIT dialog->currentChanged(plan);
    for (QLabel* label : dialog->findChildren<QLabel*>())
      if (label->accessibleName() == QStringLiteral("Preview"))
        previewed = label->pixmap().size() == QSize(153, 212);
    readOnly->setChecked(true);
    dialog->selectFile(plan);
    QMetaObject::invokeMethod(dialog, "accept");
  });
  TFileRequest request;
  request.Title = QStringLiteral("Open Model");
  request.Folder = dir.path();
  request.Filter = filefilters::kModel;
  request.MultipleFiles = true;
  request.OfferReadOnly = true;
  request.PreviewModels = true;
  const std::optional<TFileChoice> choice = dialogs.OpenFiles(request);
  ASSERT_TRUE(choice.has_value());
  EXPECT_EQ(choice->Files, QStringList{plan});
  EXPECT_TRUE(choice->ReadOnly);
  EXPECT_TRUE(previewed);
}
