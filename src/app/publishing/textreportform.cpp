#include "app/publishing/textreportform.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFontComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextList>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include "app/dialogs/accessiblenames.h"
#include "app/dialogs/dialogservice.h"
#include "app/publishing/reportruler.h"
#include "io/publishing/textreport.h"
#include "platform/streams/streamerror.h"
#include "platform/streams/wholefile.h"
#include "platform/text/rtfreader.h"
#include "platform/text/rtfwriter.h"

namespace {

constexpr int kTextInset = 6;

// The editor with its text inset from the left and right edges.
class TInsetTextEdit : public QTextEdit {
 public:
  explicit TInsetTextEdit(QWidget* parent) : QTextEdit(parent)
  {
    setViewportMargins(kTextInset, 0, kTextInset, 0);
  }
};

}  // namespace

TTextReportForm::TTextReportForm(IDialogService& dialogs, QWidget* parent)
    : QDialog(parent),
      dialogs_(dialogs),
      editor_(new TInsetTextEdit(this)),
      ruler_(new TReportRuler(*editor_, this)),
      status_(new QLabel(this))
{
  setWindowTitle(QStringLiteral("Text Report"));
  resize(640, 480);
  editor_->setAcceptRichText(true);
  editor_->setAccessibleName(QStringLiteral("Text Report"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  menuBar_ = new QMenuBar(this);
  layout->setMenuBar(menuBar_);
  auto* bar = new QToolBar(this);
  BuildMenus();
  BuildToolBar(*bar);
  layout->addWidget(bar);
  layout->addWidget(ruler_);
  layout->addWidget(editor_, 1);
  layout->addWidget(status_);
  opener_ = [](const QString& path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };
  printer_ = [this](QTextDocument& document) {
    QPrinter printer;
    printer.setPageOrientation(QPageLayout::Portrait);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted) document.print(&printer);
  };
  connect(editor_, &QTextEdit::cursorPositionChanged, this, &TTextReportForm::FollowCaret);
  connect(editor_, &QTextEdit::currentCharFormatChanged, this, &TTextReportForm::FollowCaret);
  connect(editor_, &QTextEdit::selectionChanged, this, &TTextReportForm::UpdateEditActions);
  connect(editor_, &QTextEdit::undoAvailable, this, &TTextReportForm::UpdateEditActions);
  connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
          &TTextReportForm::UpdateEditActions);
  FollowCaret();
  UpdateEditActions();
  TAccessibleNames::NameControls(this);
}

void TTextReportForm::BuildMenus()
{
  QMenu* file = menuBar_->addMenu(QStringLiteral("&File"));
  QMenu* exportMenu = file->addMenu(QStringLiteral("Export"));
  connect(exportMenu->addAction(QStringLiteral("To Clipboard")), &QAction::triggered, this,
          &TTextReportForm::ExportToClipboard);
  connect(exportMenu->addAction(QStringLiteral("To File")), &QAction::triggered, this,
          &TTextReportForm::ExportToFile);
  connect(exportMenu->addAction(QStringLiteral("Word Processor")), &QAction::triggered, this,
          &TTextReportForm::ExportToWordProcessor);
  connect(file->addAction(QStringLiteral("&Print")), &QAction::triggered, this,
          &TTextReportForm::Print);
  file->addSeparator();
  connect(file->addAction(QStringLiteral("E&xit")), &QAction::triggered, this, &QDialog::reject);

  QMenu* edit = menuBar_->addMenu(QStringLiteral("&Edit"));
  undo_ = edit->addAction(QStringLiteral("&Undo"), editor_, &QTextEdit::undo);
  edit->addSeparator();
  cut_ = edit->addAction(QStringLiteral("Cu&t"), editor_, &QTextEdit::cut);
  copy_ = edit->addAction(QStringLiteral("&Copy"), editor_, &QTextEdit::copy);
  paste_ = edit->addAction(QStringLiteral("&Paste"), editor_, &QTextEdit::paste);
  edit->addSeparator();
  edit->addAction(QStringLiteral("Select All"), editor_, &QTextEdit::selectAll);
}

void TTextReportForm::BuildToolBar(QToolBar& bar)
{
  bar.addAction(QStringLiteral("Print"), this, &TTextReportForm::Print);
  bar.addAction(undo_);
  bar.addAction(cut_);
  bar.addAction(copy_);
  bar.addAction(paste_);
  bar.addSeparator();
  fontName_ = new QFontComboBox(&bar);
  fontName_->setAccessibleName(QStringLiteral("Font"));
  bar.addWidget(fontName_);
  connect(fontName_, &QFontComboBox::currentFontChanged, this, [this](const QFont& font) {
    QTextCharFormat format;
    format.setFontFamilies({font.family()});
    editor_->mergeCurrentCharFormat(format);
  });
  fontSize_ = new QSpinBox(&bar);
  fontSize_->setRange(1, 1638);
  fontSize_->setAccessibleName(QStringLiteral("Font Size"));
  bar.addWidget(fontSize_);
  connect(fontSize_, &QSpinBox::valueChanged, this, [this](int size) {
    if (editor_->currentCharFormat().fontPointSize() == size) return;
    QTextCharFormat format;
    format.setFontPointSize(size);
    editor_->mergeCurrentCharFormat(format);
  });
  auto toggle = [this, &bar](const QString& caption, auto apply) {
    QAction* action = bar.addAction(caption);
    action->setCheckable(true);
    connect(action, &QAction::triggered, this, [this, apply](bool on) {
      QTextCharFormat format;
      apply(format, on);
      editor_->mergeCurrentCharFormat(format);
    });
    return action;
  };
  bold_ = toggle(QStringLiteral("Bold"), [](QTextCharFormat& f, bool on) {
    f.setFontWeight(on ? QFont::Bold : QFont::Normal);
  });
  italic_ =
      toggle(QStringLiteral("Italic"), [](QTextCharFormat& f, bool on) { f.setFontItalic(on); });
  underline_ = toggle(QStringLiteral("Underline"),
                      [](QTextCharFormat& f, bool on) { f.setFontUnderline(on); });
  bar.addSeparator();
  auto* alignments = new QActionGroup(this);
  auto align = [this, &bar, alignments](const QString& caption, Qt::Alignment alignment) {
    QAction* action = bar.addAction(caption);
    action->setCheckable(true);
    alignments->addAction(action);
    connect(action, &QAction::triggered, this,
            [this, alignment] { editor_->setAlignment(alignment); });
    return action;
  };
  alignLeft_ = align(QStringLiteral("Align Left"), Qt::AlignLeft);
  alignCentre_ = align(QStringLiteral("Center"), Qt::AlignHCenter);
  alignRight_ = align(QStringLiteral("Align Right"), Qt::AlignRight);
  bullets_ = bar.addAction(QStringLiteral("Bullets"));
  bullets_->setCheckable(true);
  connect(bullets_, &QAction::triggered, this, [this](bool on) {
    QTextCursor cursor = editor_->textCursor();
    if (on) {
      cursor.createList(QTextListFormat::ListDisc);
    } else if (QTextList* list = cursor.currentList()) {
      list->remove(cursor.block());
      QTextBlockFormat format = cursor.blockFormat();
      format.setIndent(0);
      cursor.setBlockFormat(format);
    }
  });
}

void TTextReportForm::FollowCaret()
{
  const QTextCursor cursor = editor_->textCursor();
  const QTextCharFormat format = editor_->currentCharFormat();
  const QSignalBlocker blockName(fontName_);
  const QSignalBlocker blockSize(fontSize_);
  if (!format.fontFamilies().toStringList().isEmpty())
    fontName_->setCurrentFont(QFont(format.fontFamilies().toStringList().front()));
  fontSize_->setValue(format.fontPointSize() > 0 ? int(format.fontPointSize() + 0.5)
                                                 : int(editor_->font().pointSizeF() + 0.5));
  bold_->setChecked(format.fontWeight() > QFont::Medium);
  italic_->setChecked(format.fontItalic());
  underline_->setChecked(format.fontUnderline());
  const Qt::Alignment alignment = editor_->alignment();
  alignLeft_->setChecked(!(alignment & (Qt::AlignHCenter | Qt::AlignRight)));
  alignCentre_->setChecked(alignment & Qt::AlignHCenter);
  alignRight_->setChecked(alignment & Qt::AlignRight);
  bullets_->setChecked(cursor.currentList() != nullptr);
  // Lines as the editor shows them, counted from 1.
  const QTextBlock block = cursor.block();
  int line = 1;
  for (QTextBlock b = editor_->document()->begin(); b.isValid() && b != block; b = b.next())
    line += b.layout() && b.layout()->lineCount() > 0 ? b.layout()->lineCount() : 1;
  int column = cursor.positionInBlock() + 1;
  if (block.layout() && block.layout()->lineCount() > 0) {
    const QTextLine textLine = block.layout()->lineForTextPosition(cursor.positionInBlock());
    if (textLine.isValid()) {
      line += textLine.lineNumber();
      column = cursor.positionInBlock() - textLine.textStart() + 1;
    }
  }
  status_->setText(QStringLiteral("Line: %1   Col: %2").arg(line, 3).arg(column, 3));
}

void TTextReportForm::UpdateEditActions()
{
  const bool selection = editor_->textCursor().hasSelection();
  undo_->setEnabled(editor_->document()->isUndoAvailable());
  cut_->setEnabled(selection);
  copy_->setEnabled(selection);
  const QMimeData* data = QApplication::clipboard()->mimeData();
  paste_->setEnabled(data && (data->hasText() || data->hasHtml()));
}

void TTextReportForm::LoadReport(const QByteArray& rtf)
{
  TRtfReader::Read(rtf, *editor_->document());
  editor_->document()->clearUndoRedoStacks();
  editor_->moveCursor(QTextCursor::Start);
  FollowCaret();
  UpdateEditActions();
}

QString TTextReportForm::StatusText() const
{
  return status_->text();
}

QAction* TTextReportForm::Action(const QString& caption) const
{
  for (QAction* action : findChildren<QAction*>())
    if (action->text() == caption) return action;
  return nullptr;
}

void TTextReportForm::ExportToClipboard()
{
  editor_->selectAll();
  editor_->copy();
  QTextCursor cursor = editor_->textCursor();
  cursor.clearSelection();
  editor_->setTextCursor(cursor);
  dialogs_.Message(TBoxKind::Information, windowTitle(),
                   QStringLiteral("Document has been copied to the clipboard.  You can now paste "
                                  "it into another application."));
}

void TTextReportForm::SaveTo(const QString& path) const
{
  QByteArray bytes;
  if (path.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive)) {
    QString text = editor_->document()->toPlainText();
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    text.replace(QChar::Nbsp, QLatin1Char(' '));
    bytes = text.replace(QLatin1Char('\n'), QLatin1String("\r\n")).toUtf8();
  } else {
    bytes = TRtfWriter::Write(*editor_->document());
  }
  TWholeFile::WriteAtomically(path, bytes);
}

void TTextReportForm::ExportToFile()
{
  TFileRequest request;
  request.Filter = QStringLiteral("Rich Text Files (*.RTF)|*.RTF|Text Files (*.TXT)|*.TXT");
  request.DefaultSuffix = QStringLiteral("rtf");
  request.FileName = QStringLiteral("Untitled");
  const std::optional<QString> path = dialogs_.SaveFile(request);
  if (!path) return;
  try {
    SaveTo(*path);
    setWindowTitle(QFileInfo(*path).fileName());
  } catch (const EStreamError& error) {
    dialogs_.ReportError(error.Message());
  }
}

QString TTextReportForm::WordProcessorPath()
{
  return QDir(QStandardPaths::writableLocation(QStandardPaths::CacheLocation))
      .filePath(QStringLiteral("Text Report.rtf"));
}

void TTextReportForm::ExportToWordProcessor()
{
  const QString path = WordProcessorPath();
  try {
    if (!QDir().mkpath(QFileInfo(path).path()))
      throw EStreamError(QStringLiteral("Cannot make the folder \"%1\"")
                             .arg(QDir::toNativeSeparators(QFileInfo(path).path())));
    SaveTo(path);
  } catch (const EStreamError& error) {
    dialogs_.ReportError(error.Message());
    return;
  }
  opener_(path);
  reject();
}

void TTextReportForm::Print()
{
  printer_(*editor_->document());
}
