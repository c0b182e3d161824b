// What a colour picked in the palette strip does to the active model: with a selection it
// recolours the selected objects that have the target's attribute, as one undo entry; with
// nothing selected it becomes the colour new objects get and the model paints on click.
#pragma once

#include <QString>
#include <functional>

#include "platform/color.h"

class TCGPColorPanel;
class TModelDocument;
class TModelForm;

class TPaletteReactions {
 public:
  // Colours the whole text of every selected object.
  using TTextColorApplier = std::function<void(TModelDocument&, TColorRef)>;
  // Colours the selection of the open text editor and gives it the focus.
  using TTextModeHook = std::function<void(TColorRef)>;

  TPaletteReactions();

  // A pick reported by the strip (target 0 face, 1 back, 2 text, 3 line). No model, or a
  // model whose handler or recorder is busy, ignores it.
  void ColorPaletteChange(TModelForm* model, int target, TColorRef color);
  // The same on a document alone (its observer beeps, its mode controller paints).
  void ColorPaletteChange(TModelDocument& document, int target, TColorRef color);

  // Text colour of selected objects: by default our own whole-text recolouring; the text
  // attribute commands may take it over.
  void SetTextColorApplier(TTextColorApplier applier) { textColor_ = std::move(applier); }
  // Text mode: the text editing work supplies what colours the editor's selection; without
  // it a pick in text mode changes nothing.
  void SetTextModeHook(TTextModeHook hook) { textMode_ = std::move(hook); }

  // The undo caption of a pick on a target.
  static QString Caption(int target);
  // Shows the colours of the model's first selected objects (else its defaults) on the strip.
  static void ShowModelColors(TCGPColorPanel& strip, const TModelDocument& document);
  // Colours the whole text of every selected object that has text.
  static void ApplyTextColor(TModelDocument& document, TColorRef color);

 private:
  // True when some selected object took the colour.
  bool ApplyToSelection(TModelDocument& document, int target, TColorRef color);
  static void SetDefault(TModelDocument& document, int target, TColorRef color);

  TTextColorApplier textColor_;
  TTextModeHook textMode_;
};
