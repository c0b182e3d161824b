#include "app/commands/featurecommands.h"

#include <QAction>
#include <QActionGroup>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QTextEdit>
#include <QToolBar>

#include "app/commands/controlstates.h"
#include "app/dialogs/dialogservice.h"
#include "app/dialogs/fillpropertiesform.h"
#include "app/dialogs/magnifier.h"
#include "app/dialogs/modelsizeform.h"
#include "app/dialogs/summarydlg.h"
#include "app/mainform.h"
#include "app/modelform.h"
#include "app/options/optionscommand.h"
#include "app/palette/cgpcolorpanel.h"
#include "app/printing/printcommands.h"
#include "app/shell/modelwindows.h"
#include "app/text/editorattributes.h"
#include "app/text/edittext.h"
#include "app/text/texteditors.h"
#include "app/texttoolbar/textcommands.h"
#include "app/toolbars/dropdownmenus.h"
#include "app/toolbars/maintoolbars.h"
#include "document/modeldocument.h"
#include "interaction/modelpaintbox.h"
#include "interaction/modemachine.h"
#include "model/operationmode.h"
#include "platform/streams/streamerror.h"

namespace {

TFillChoice AskFill(QWidget* parent, const TFillChoice& preset, bool* accepted)
{
  TFillPropertiesForm form(parent);
  form.SetValues(preset.FaceColor, preset.BackColor, preset.PatternIndex, preset.GradientIndex,
                 preset.FillStyle, std::nullopt, false);
  *accepted = form.exec() == QDialog::Accepted;
  TFillChoice choice = preset;
  choice.FillStyle = static_cast<std::uint8_t>(form.FillStyle());
  choice.PatternIndex = static_cast<std::uint8_t>(form.PatternIndex());
  choice.GradientIndex = static_cast<std::uint8_t>(form.GradientIndex());
  return choice;
}

}  // namespace

TFeatureCommands::TFeatureCommands(TMainForm& window) : QObject(&window), window_(window)
{
  publishing_ = std::make_unique<TPublishingCommands>(&window, window.Dialogs(), questions_);
  questions_.SetPictureSizeQuestion(
      [&window](QWidget*, TModelDocument&) { return window.Dialogs().ImageSize(); });
  BindPrinting();
  BindPublishing();
  BindModelDialogs();
  BindTextEditing();
  BindOptions();
  BuildTextControls();
  BuildPalette();
}

TFeatureCommands::~TFeatureCommands() = default;

void TFeatureCommands::SetPublishingQuestions(IPublishingQuestions& questions)
{
  publishing_ = std::make_unique<TPublishingCommands>(&window_, window_.Dialogs(), questions);
}

void TFeatureCommands::OnModel(const char* id, std::function<void(TModelForm&)> command)
{
  window_.Actions().Implement(QString::fromLatin1(id), [this, command = std::move(command)] {
    TModelForm* form = window_.ActiveModel();
    if (!form) return window_.ReportError(QString());
    command(*form);
    window_.UpdateControls();
  });
}

void TFeatureCommands::BindPrinting()
{
  OnModel("FilePrint", [this](TModelForm& form) {
    form.EndOperation();
    PrintCommand(&window_, window_.Dialogs(), form);
  });
  OnModel("PrintView", [this](TModelForm& form) {
    form.EndOperation();
    PrintViewCommand(&window_, window_.Dialogs(), form);
  });
}

void TFeatureCommands::BindPublishing()
{
  for (const char* id : {"FileSaveHtml", "SaveAsHtml"})
    OnModel(id, [this](TModelForm& form) {
      form.EndOperation();
      publishing_->SaveAsHtml(form.Document());
    });
  OnModel("FileTextReport", [this](TModelForm& form) {
    form.EndOperation();
    publishing_->TextReport(form.Document());
  });
  // Save As by extension: the writers report their own failures, so a failure here only
  // keeps Save As from claiming the file was written.
  const auto html = [this](TModelForm& form, const QString& path) {
    if (!publishing_->ExportHtml(form.Document(), path))
      throw EStreamError(QStringLiteral("The page was not written."));
  };
  window_.Windows().Saver().SetExporter(QStringLiteral("htm"), html);
  window_.Windows().Saver().SetExporter(QStringLiteral("html"), html);
  window_.Windows().Saver().SetExporter(
      QStringLiteral("txt"), [this](TModelForm& form, const QString& path) {
        if (!publishing_->SaveTextReport(form.Document(), path))
          throw EStreamError(QStringLiteral("The report was not written."));
      });
}

void TFeatureCommands::BindModelDialogs()
{
  for (const char* id : {"FilePageSetup", "ModelSize"})
    OnModel(id, [this](TModelForm& form) {
      form.EndOperation();
      RunPageSetup(&window_, form);
    });
  OnModel("FileSummary", [this](TModelForm& form) {
    form.EndOperation();
    RunModelDetails(&window_, form.Document());
  });
  QAction* fill = window_.DropDownMenus().FillPropertiesItem();
  fill->setEnabled(true);
  connect(fill, &QAction::triggered, this, [this] {
    TModelForm* form = window_.ActiveModel();
    if (!form) return window_.ReportError(QString());
    form->EndOperation();
    RunFillProperties(&window_, form->Document());
    window_.UpdateControls();
  });
  for (const char* id : {"ViewMagnifier", "MagnifierButton"})
    window_.Actions().Implement(QString::fromLatin1(id), [this] { ToggleMagnifier(); });
}

void TFeatureCommands::ToggleMagnifier()
{
  if (!magnifier_) {
    magnifier_ = new TMagnifier(&window_);
    connect(magnifier_, &TMagnifier::VisibilityChanged, this, [this](bool visible) {
      for (const char* id : {"ViewMagnifier", "MagnifierButton"})
        window_.Actions().Action(QLatin1String(id))->setChecked(visible);
    });
  }
  magnifier_->SetModel(window_.ActiveModel());
  magnifier_->setVisible(!magnifier_->isVisible());
}

void TFeatureCommands::RouteToTextEditor(const char* id, int command)
{
  const QString name = QString::fromLatin1(id);
  std::function<void()> model = window_.Actions().Handler(name);
  window_.Actions().Implement(name, [this, model, command] {
    TModelForm* form = window_.ActiveModel();
    if (form && ApplyToTextEditor(*form, static_cast<TTextCommand>(command))) return;
    if (model)
      model();
    else
      window_.ReportError(QString());
  });
}

void TFeatureCommands::BindTextEditing()
{
  OnModel("ContextEditText", [](TModelForm& form) { EditContextText(form); });
  // While an editor is open these act on its text, not on the model.
  RouteToTextEditor("EditUndo", static_cast<int>(TTextCommand::Undo));
  RouteToTextEditor("EditSelectAll", static_cast<int>(TTextCommand::SelectAll));
  // Cutting, copying and pasting model objects is not built: these act on an open editor only
  // and are kept disabled outside text mode.
  RouteToTextEditor("EditCut", static_cast<int>(TTextCommand::Cut));
  RouteToTextEditor("EditCopy", static_cast<int>(TTextCommand::Copy));
  RouteToTextEditor("EditPaste", static_cast<int>(TTextCommand::Paste));
  // The editor has no redo of its own: Redo only gives it the focus back.
  std::function<void()> redo = window_.Actions().Handler(QStringLiteral("EditRedo"));
  window_.Actions().Implement(QStringLiteral("EditRedo"), [this, redo] {
    TModelForm* form = window_.ActiveModel();
    if (form && form->TextEditors().ActiveBox()) return form->TextEditors().Focus();
    if (redo) redo();
  });
  connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
          &TFeatureCommands::FollowEditor);
}

void TFeatureCommands::FollowEditor()
{
  if (!text_) return;
  TModelForm* form = window_.ActiveModel();
  const std::optional<TTextEditState> textMode = TControlStates::TextModeOf(form);
  if (!textMode) return;
  TControlStates::ApplyEditCommands(window_.Actions(), &form->Document(), textMode);
  text_->Show(TEditorAttributes::StateOf(*form->TextEditors().ActiveBox()));
}

void TFeatureCommands::BindOptions()
{
  window_.Actions().Implement(QStringLiteral("EditOptions"), [this] {
    TOptionsHooks hooks;
    hooks.FillProperties = [](QWidget* parent,
                              const TFillChoice& preset) -> std::optional<TFillChoice> {
      bool accepted = false;
      const TFillChoice choice = AskFill(parent, preset, &accepted);
      if (!accepted) return std::nullopt;
      return choice;
    };
    hooks.PageSetup = [](QWidget* parent, const TPageChoice& preset) -> std::optional<TPageChoice> {
      TModelSizeForm form(parent);
      form.SetValues(preset.PagesAcross, preset.PagesDown, preset.Orientation);
      if (form.exec() != QDialog::Accepted) return std::nullopt;
      return TPageChoice{form.Across(), form.Down(), form.Orientation()};
    };
    if (TModelForm* form = window_.ActiveModel()) form->EndOperation();
    TOptionsCommand::Run(&window_, window_.Preferences(), window_.Store(), window_.Dialogs(),
                         window_.ActiveModel(), window_.Models(), hooks);
    window_.UpdateControls();
  });
}

void TFeatureCommands::BuildTextControls()
{
  TActionRegistry& actions = window_.Actions();
  const std::pair<TTextAttribute, const char*> ids[] = {
      {TTextAttribute::Bold, "TextBold"},
      {TTextAttribute::Italic, "TextItalic"},
      {TTextAttribute::Underline, "TextUnderline"},
      {TTextAttribute::AlignLeft, "TextLeft"},
      {TTextAttribute::AlignCentre, "TextCentre"},
      {TTextAttribute::AlignRight, "TextRight"},
      {TTextAttribute::IndentLeft, "TextIndentLeft"},
      {TTextAttribute::IndentRight, "TextIndentRight"},
      {TTextAttribute::Bullets, "TextBullets"}};
  TTextCommands::TButtons buttons;
  for (const auto& [code, id] : ids) {
    QAction* action = actions.Action(QLatin1String(id));
    const bool checkable =
        code != TTextAttribute::IndentLeft && code != TTextAttribute::IndentRight;
    action->setCheckable(checkable);
    buttons[code] = action;
    // The text commands connect to the action itself; the registry's handler does nothing.
    actions.Implement(QLatin1String(id), [] {});
  }
  // One alignment is down at a time: the commands read which one.
  auto* alignments = new QActionGroup(this);
  for (TTextAttribute code :
       {TTextAttribute::AlignLeft, TTextAttribute::AlignCentre, TTextAttribute::AlignRight})
    alignments->addAction(buttons[code]);
  for (const char* id : {"FontName", "FontSize"})
    actions.Implement(QLatin1String(id), [] {});
  TMainToolbars& bars = window_.Toolbars();
  text_ = new TTextCommands(
      textDefaults_,
      [this]() -> TModelDocument* {
        TModelForm* form = window_.ActiveModel();
        return form ? &form->Document() : nullptr;
      },
      bars.FontNameBox(), bars.FontSizeBox(), std::move(buttons), this);
  text_->SetTextModeHook([this](TTextAttribute code, const TTextToolbarValues& values) {
    TModelForm* form = window_.ActiveModel();
    QTextEdit* box = form ? form->TextEditors().ActiveBox() : nullptr;
    if (!box) return false;
    TEditorAttributes::Apply(*box, code, values);
    box->setFocus();
    FollowEditor();
    return true;
  });
  connect(text_, &TTextCommands::Changed, &window_, [this] { window_.UpdateControls(); });
}

void TFeatureCommands::BuildPalette()
{
  palette_ = new TCGPColorPanel(&window_);
  window_.SetColorPalette(palette_);
  connect(palette_, &TCGPColorPanel::Change, this, [this](int target, TColorRef colour) {
    reactions_.ColorPaletteChange(window_.ActiveModel(), target, colour);
    window_.UpdateControls();
  });
  reactions_.SetTextColorApplier([](TModelDocument& document, TColorRef colour) {
    TTextAttributes::ApplyTextAttribute(document, TTextAttribute::TextColor, colour);
  });
  reactions_.SetTextModeHook([this](TColorRef colour) {
    TModelForm* form = window_.ActiveModel();
    QTextEdit* box = form ? form->TextEditors().ActiveBox() : nullptr;
    if (!box) return;
    QTextCharFormat format;
    format.setForeground(ToQColor(colour));
    box->mergeCurrentCharFormat(format);
    box->setFocus();
    FollowEditor();
  });
}

void TFeatureCommands::ConnectModelWindow(TModelForm& form)
{
  form.TextEditors().SetNewTextDefaults(&textDefaults_);
  connect(&form.PaintBox(), &TModelPaintBox::PaletteTargetChanged, palette_,
          [this](bool text) { palette_->SelectTarget(text ? ptText : ptForeground); });
  connect(&form.TextEditors(), &TTextEditors::EditorChanged, this,
          [this] { window_.UpdateControls(); });
  connect(&form.TextEditors(), &TTextEditors::EditorStateChanged, this,
          &TFeatureCommands::FollowEditor);
  // A selection changed by a click, a band or a key: the toolbar shows its text.
  connect(&form, &TModelForm::SelectionChanged, this, [this, &form] {
    if (window_.ActiveModel() == &form) window_.UpdateControls();
  });
}

void TFeatureCommands::UpdateControls()
{
  TModelForm* form = window_.ActiveModel();
  if (form) TPaletteReactions::ShowModelColors(*palette_, form->Document());
  // Like the text buttons, the font boxes wait for a model.
  TMainToolbars& bars = window_.Toolbars();
  bars.FontNameBox()->setEnabled(form != nullptr);
  bars.FontSizeBox()->setEnabled(form != nullptr);
  // In text mode the toolbar shows the open editor's selection, else the model's.
  if (QTextEdit* box = form ? form->TextEditors().ActiveBox() : nullptr)
    text_->Show(TEditorAttributes::StateOf(*box));
  else
    text_->Sync();
  if (magnifier_ && magnifier_->Model() != form) magnifier_->SetModel(form);
}
