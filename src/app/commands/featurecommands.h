// Gives the main window's commands whose work lives in the program's other parts their
// handlers: printing, the page and report, the model dialogs, text editing and the text
// controls, Options, the magnifier and the colour palette strip. Built once after the
// window's own commands; the window asks it to refresh what it shows.
#pragma once

#include <QObject>
#include <QPointer>
#include <memory>

#include "app/palette/palettereactions.h"
#include "app/publishing/publishingcommands.h"
#include "document/textdefaults.h"

class QAction;
class TCGPColorPanel;
class TMagnifier;
class TMainForm;
class TModelForm;
class TTextCommands;

class TFeatureCommands : public QObject {
  Q_OBJECT

 public:
  explicit TFeatureCommands(TMainForm& window);
  ~TFeatureCommands() override;

  // The part of UpdateControls that belongs here: the text controls, the palette's colours
  // and the magnifier's model.
  void UpdateControls();
  // Called for every model window as it is connected to the main window.
  void ConnectModelWindow(TModelForm& form);

  // Who answers the page and report questions (the program's own dialogs unless replaced;
  // tests answer them).
  void SetPublishingQuestions(IPublishingQuestions& questions);

  TCGPColorPanel& Palette() const { return *palette_; }
  TTextCommands& TextCommands() const { return *text_; }
  TTextDefaults& TextDefaults() { return textDefaults_; }

 private:
  void BindPrinting();
  void BindPublishing();
  void BindModelDialogs();
  void BindTextEditing();
  void BindOptions();
  void BuildTextControls();
  void BuildPalette();
  void ToggleMagnifier();
  // The commands that act on an open text editor first.
  void RouteToTextEditor(const char* id, int command);
  // The edit commands and the text toolbar follow the active model's open editor.
  void FollowEditor();
  // Runs a command on the active model; a beep without one.
  void OnModel(const char* id, std::function<void(TModelForm&)> command);

  TMainForm& window_;
  TPublishingDialogs questions_;
  std::unique_ptr<TPublishingCommands> publishing_;
  TPaletteReactions reactions_;
  TTextDefaults textDefaults_;
  TCGPColorPanel* palette_ = nullptr;
  TTextCommands* text_ = nullptr;
  QPointer<TMagnifier> magnifier_;
};
