// The commands that change one model or its view: editing, attributes of the selection (or,
// with nothing selected, of new objects), stacking, turning, numbering, zooming, the grid
// and the creation tools. Each records its own undo caption; input errors go through the
// dialog service's error path.
#pragma once

#include <QString>
#include <cstdint>

class IDialogService;
class TModelDocument;
class TModelForm;

// The creation tools of the toolbars.
enum class TCreationTool { Cogis, Clusters, Freeform, ArrowPlain, Line, ArrowDefault };

class TModelCommands {
 public:
  TModelCommands(TModelForm& form, IDialogService& dialogs) : form_(form), dialogs_(dialogs) {}

  // ---- Edit
  void Delete();
  void SelectAll();

  // ---- Attributes
  void SetSize(int sizeCode);
  void SetFill(std::uint8_t style);
  void ToggleShowLine();
  // Width in points; below 0 does nothing.
  void SetLineWidth(double points);
  // The "Other..." line width question.
  void AskLineWidth();
  void ToggleShadow();
  void Toggle3D();
  void ToggleShowNumber(bool on);

  // ---- Order and turning
  void SendToBack();
  void BringToFront();
  void RotateRight();
  void FreeRotate();

  // ---- Numbering: asks for a start until it is a number or the user cancels.
  void Renumber();

  // ---- View
  // An item of the zoom menu: 1 shows the whole model, anything else is a percentage.
  void ZoomMenu(int value);
  void ZoomTo(double percent);
  void AskZoom();
  void AskZoomSpeed();
  void WholeModel();
  void ToMainView();
  void SetMainView();
  void ZoomBack();
  void ToggleGrid();
  void ToggleSnapToGrid();
  void ToggleSnapToShape();
  void ClearBackground();

  // ---- Modes
  void StartTool(TCreationTool tool);
  void EnterMode(int mode);
  void EditText();

 private:
  TModelDocument& Document() const;
  void Record(const QString& caption);
  void Beep();

  TModelForm& form_;
  IDialogService& dialogs_;
};
