// The enable, check and press rules that depend on the active model's contents: what the
// selection allows, the zoom limits, whether there is anything to save, and the size, fill,
// line and effect the first selected object (else the model's defaults) has.
#pragma once

#include <QList>
#include <optional>

class TActionRegistry;
class TDropDownMenus;
class TModelDocument;
class TModelForm;

// What the edit commands need to know of an open text or notes editor.
struct TTextEditState {
  bool HoldsText = false;
  bool HasSelection = false;
  bool CanUndo = false;
  bool ClipboardHasText = false;
};

// The link commands' states for a model's selection.
struct TLinkStates {
  bool Link = false;        // Link Gateway, Link to New Model, Link to WEB and their buttons
  bool RemoveLink = false;  // the first selected gateway has a link to remove
};

class TControlStates {
 public:
  // With no active model `document` is null; `anyModified` tells whether some open model
  // has unsaved changes; `textMode` describes the open editor while the model is in text mode.
  static void Apply(TActionRegistry& actions, TDropDownMenus& menus, const TModelDocument* document,
                    bool surveyMode, bool anyModified,
                    const std::optional<TTextEditState>& textMode = std::nullopt);
  // The open editor of the model window, or none outside text mode.
  static std::optional<TTextEditState> TextModeOf(const TModelForm* form);
  // UpdateEditCommands: Cut, Copy, Paste, Undo, Redo and Select All with the Undo and Redo
  // captions and hints, for no model, text mode, or the model itself.
  static void ApplyEditCommands(TActionRegistry& actions, const TModelDocument* document,
                                const std::optional<TTextEditState>& textMode);
  static TLinkStates LinkStates(const TModelDocument& document);

 private:
  static void ApplyEnables(TActionRegistry& actions, const TModelDocument& document,
                           bool surveyMode);
  static void ApplyChecks(TActionRegistry& actions, TDropDownMenus& menus,
                          const TModelDocument& document);
};
