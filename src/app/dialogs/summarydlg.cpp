#include "app/dialogs/summarydlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTabWidget>
#include <QVBoxLayout>

#include "document/modeldocument.h"
#include "platform/streams/datetimevalue.h"

namespace {

QString ByOn(const QString& who, double when)
{
  const QString time =
      QLocale::system().toString(TDateTimeValue::ToDateTime(when), QLocale::ShortFormat);
  return QStringLiteral("By %1 on %2").arg(who, time);
}

}  // namespace

TSummaryDlg::TSummaryDlg(QWidget* parent) : QDialog(parent)
{
  setWindowTitle(QStringLiteral("Model Details"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  auto* pages = new QTabWidget(this);
  auto* summary = new QWidget(pages);
  auto* grid = new QGridLayout(summary);
  createdCaption_ = new QLabel(QStringLiteral("Model Created:"), summary);
  created_ = new QLabel(summary);
  savedCaption_ = new QLabel(QStringLiteral("Model Last Saved:"), summary);
  saved_ = new QLabel(summary);
  auto* keywordsCaption = new QLabel(QStringLiteral("Keywords:"), summary);
  keywords_ = new QLineEdit(summary);
  keywords_->setMaxLength(kMaxKeywords);
  keywordsCaption->setBuddy(keywords_);
  grid->addWidget(createdCaption_, 0, 0);
  grid->addWidget(created_, 0, 1);
  grid->addWidget(savedCaption_, 1, 0);
  grid->addWidget(saved_, 1, 1);
  grid->addWidget(keywordsCaption, 2, 0);
  grid->addWidget(keywords_, 2, 1);
  pages->addTab(summary, QStringLiteral("Summary"));
  auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pages);
  layout->addWidget(box);
  setMinimumWidth(420);
  keywords_->setFocus();
}

void TSummaryDlg::SetValues(const QString& createdBy, double createdTime, const QString& savedBy,
                            double savedTime, const QString& keywords)
{
  created_->setText(ByOn(createdBy, createdTime));
  const bool saved = !savedBy.isEmpty();
  saved_->setText(saved ? ByOn(savedBy, savedTime) : QStringLiteral("Not yet saved"));
  savedCaption_->setEnabled(saved);
  saved_->setEnabled(saved);
  keywords_->setText(keywords);
  keywords_->setFocus();
}

QString TSummaryDlg::Keywords() const
{
  return keywords_->text();
}

QString TSummaryDlg::CreatedText() const
{
  return created_->text();
}

QString TSummaryDlg::SavedText() const
{
  return saved_->text();
}

bool TSummaryDlg::SavedShown() const
{
  return saved_->isEnabled();
}

bool RunModelDetails(QWidget* parent, TModelDocument& document)
{
  TSummaryDlg dialog(parent);
  dialog.SetValues(document.CreatedBy, document.CreatedTime, document.SavedBy, document.SavedTime,
                   document.Keywords);
  if (dialog.exec() != QDialog::Accepted || dialog.Keywords() == document.Keywords) return false;
  document.Keywords = dialog.Keywords();
  document.ChangePending = true;
  document.RecordUndo(QStringLiteral("Keywords Changed"));
  return true;
}
