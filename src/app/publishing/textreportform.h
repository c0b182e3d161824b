// The "Text Report" window: the report in a rich-text editor with a ruler, a toolbar and a
// status bar, from which it is printed, saved as rich or plain text, copied, or opened in the
// user's word processor.
#pragma once

#include <QDialog>
#include <functional>

class IDialogService;
class QAction;
class QFontComboBox;
class QLabel;
class QSpinBox;
class QTextDocument;
class QTextEdit;
class TReportRuler;

class TTextReportForm : public QDialog {
  Q_OBJECT
 public:
  explicit TTextReportForm(IDialogService& dialogs, QWidget* parent = nullptr);

  // Replaces the content with a report's RTF.
  void LoadReport(const QByteArray& rtf);
  QTextEdit& Editor() const { return *editor_; }
  TReportRuler& Ruler() const { return *ruler_; }
  QString StatusText() const;
  QAction* Action(const QString& caption) const;

  // "To Clipboard", "To File" and "Word Processor".
  void ExportToClipboard();
  void ExportToFile();
  void ExportToWordProcessor();
  // Writes the content: a name ending in ".txt" as plain text, any other as RTF. Throws
  // EStreamError.
  void SaveTo(const QString& path) const;
  void Print();

  // How the written report is opened, and how the content is printed; tests replace them.
  void SetOpener(std::function<void(const QString& path)> opener) { opener_ = std::move(opener); }
  void SetPrinter(std::function<void(QTextDocument&)> printer) { printer_ = std::move(printer); }
  // Where "Word Processor" writes the report: the user's cache folder.
  static QString WordProcessorPath();

 private:
  void BuildMenus();
  void BuildToolBar(class QToolBar& bar);
  void FollowCaret();
  void UpdateEditActions();

  IDialogService& dialogs_;
  QTextEdit* editor_;
  TReportRuler* ruler_;
  QLabel* status_;
  QFontComboBox* fontName_ = nullptr;
  QSpinBox* fontSize_ = nullptr;
  class QMenuBar* menuBar_ = nullptr;
  QAction* bold_ = nullptr;
  QAction* italic_ = nullptr;
  QAction* underline_ = nullptr;
  QAction* alignLeft_ = nullptr;
  QAction* alignCentre_ = nullptr;
  QAction* alignRight_ = nullptr;
  QAction* bullets_ = nullptr;
  QAction* undo_ = nullptr;
  QAction* cut_ = nullptr;
  QAction* copy_ = nullptr;
  QAction* paste_ = nullptr;
  std::function<void(const QString&)> opener_;
  std::function<void(QTextDocument&)> printer_;
};
