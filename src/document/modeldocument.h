// One open model: its objects in stacking order, the selection, page and model geometry,
// view state, display settings, the attributes new objects receive, the file summary and
// the bookkeeping for undo and recovery.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QPoint>
#include <QRegion>
#include <QSize>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "document/handlehitregion.h"
#include "document/objecthitregion.h"
#include "document/snapshotwriter.h"
#include "geometry/modelpoint.h"
#include "model/cgpobject.h"
#include "model/objectlist.h"
#include "platform/color.h"
#include "platform/pictures/picture.h"

class IDocumentObserver;
class IModeController;
class TCogi;
class TOLECogi;
class IPrinterInfo;
class IUndoRecorder;

// A rectangle of the model as its two corners, for views and the zoom-back stack.
struct TViewRect {
  TModelPoint TopLeft;
  TModelPoint BottomRight;
};

// One undo or redo step: the snapshot file holding the model before (undo) or after (redo)
// the step, and the caption the commands show.
struct TUndoEntry {
  QString FileName;
  QString Caption;
};

class TModelDocument {
 public:
  // The printer gives the page geometry; by default the program's current printer.
  explicit TModelDocument(IPrinterInfo* printer = nullptr);
  ~TModelDocument();
  TModelDocument(const TModelDocument&) = delete;
  TModelDocument& operator=(const TModelDocument&) = delete;

  // ---- Identity, file and change tracking
  QString FileName = QStringLiteral("Untitled.mdl");
  bool Named = false;
  bool ReadOnly = false;
  bool Modified = false;
  bool ChangePending = false;
  QByteArray Snapshot;
  QString RecoverFileName;
  std::vector<TUndoEntry> UndoList;
  std::vector<TUndoEntry> RedoList;
  // Writes the undo entries' snapshot files off the user-interface thread.
  TSnapshotWriter SnapshotWriter;

  // ---- Summary
  QString CreatedBy;
  QString SavedBy;
  QString Keywords;
  double CreatedTime = 0.0;  // days since 30 December 1899
  double SavedTime = 0.0;
  std::int32_t ReservedNumber = 0;
  QString ReservedText;

  // ---- Page, print and model size (inches)
  std::uint8_t Orientation = 0;
  double PaperWidth = 0.0;
  double PaperHeight = 0.0;
  double LeftMargin = 0.25;
  double RightMargin = 0.25;
  double TopMargin = 0.125;
  double BottomMargin = 0.125;
  bool PrintHeader = false;
  bool PrintFooter = false;
  QString FooterComments;
  bool ReversePrintOrder = true;
  double PageWidth = 0.0;
  double PageHeight = 0.0;
  std::int32_t PagesAcross = 2;
  std::int32_t PagesDown = 2;
  double ModelWidth = 0.0;
  double ModelHeight = 0.0;

  // ---- View
  TModelPoint ViewOrigin;
  double Zoom = 70.0;
  std::int32_t ZoomFrames = 10;
  TModelPoint MainViewTopLeft;
  TModelPoint MainViewBottomRight;
  std::vector<TViewRect> ViewStack;
  // The drawing surface the view is shown on: its size in pixels and resolution.
  QSize ClientSize = QSize(640, 480);
  double ScreenDpiX = 96.0;
  double ScreenDpiY = 96.0;

  // ---- Display and snapping
  bool ShowGrid = true;
  bool ShowPageLines = true;
  TColorRef ModelColor = colors::White;
  std::optional<TPicture> Background;
  bool SnapToGrid = true;
  bool SnapToShape = true;

  // ---- Current attributes for new objects
  TColorRef FaceColor = 0x00FFFF;
  TColorRef BackColor = 0xD9FFFF;
  TColorRef TextColor = colors::Black;
  TColorRef LineColor = colors::Black;
  int PaintTarget = 0;
  std::uint8_t FillStyle = 0;
  std::uint8_t PatternIndex = 0;
  std::uint8_t GradientIndex = 0;
  std::optional<TPicture> FillPicture;
  bool PictureCentred = false;
  std::uint8_t LineStyle = 0;
  float LineWidth = 0.75f;
  std::uint8_t Shadow = 0;
  std::uint8_t Style3D = 0;
  TColorRef ClusterColor = colors::White;
  bool ShowNumber = true;
  std::uint8_t CogiSize = 0;

  // ---- Creation parameters
  std::int32_t CreateKind = okCogi;
  std::int16_t CreateVariant = 7;
  std::int32_t CreateAngle = 0;
  double CreateWidth = 0.0;
  double CreateHeight = 0.0;
  std::uint8_t NewArrowStyle = 0;
  std::uint8_t NewArrowA = 0;
  std::uint8_t NewArrowB = 0;

  // ---- Objects and numbering
  TObjectList Objects;         // owned; index 0 is painted first
  TObjectList VisibleObjects;  // not owned; objects met by the last paint
  std::int32_t NextSerial = 1;
  std::int32_t NextRenumber = 1;  // number handed out by renumber mode
  TObjectHitRegion ObjectRegion;
  THandleHitRegion HandleRegion;

  // ---- Operation mode; the gesture's working state belongs to the interaction layer
  TOperationMode Mode = opNone;
  std::int16_t IdleCursor = 0;
  CGPObject* ContextObject = nullptr;  // the object under the last context menu; not owned
  bool Painting = false;

  // ---- Connections
  void SetObserver(IDocumentObserver* observer) { observer_ = observer; }
  IDocumentObserver* Observer() const { return observer_; }
  void SetUndoRecorder(IUndoRecorder* recorder) { undoRecorder_ = recorder; }
  IPrinterInfo& Printer() const { return *printer_; }
  void SetModeController(IModeController* controller) { modeController_ = controller; }

  // ---- Operation mode
  // Changes the mode through the window's controller (leave and entry actions, undo of the
  // mode left); a document without a window simply takes the new code.
  void ChangeMode(TOperationMode mode);
  // False while a running gesture works on objects (deleting them is refused then).
  bool ObjectsMayBeDeleted() const;

  // ---- Change protocol
  void RecordUndo(const QString& caption);
  void NotifyRepaint();
  void NotifyControls();
  void NotifySelection();
  void Beep();

  // ---- Objects
  // Creates an object, gives it the next serial and appends it (number = new count).
  CGPObject* CreateObject(int kind);
  // Adds an object made elsewhere (a reader or the clipboard) to the top, owning it.
  void AppendObject(CGPObject* object);
  int IndexOf(const CGPObject* object) const;

  // ---- Selection
  int SelectedCount() const;
  CGPObject* FirstSelected() const;
  template <typename T>
  bool AnySelectedOfClass() const
  {
    for (CGPObject* object : Objects)
      if (object->Selected && dynamic_cast<T*>(object)) return true;
    return false;
  }
  void SelectObject(CGPObject* object, bool notify);
  void DeselectObject(CGPObject* object, bool notify);
  void DeselectAll(bool notify);
  void SelectAll();

  // ---- Stacking order
  void BringSelectionToFront();
  void SendSelectionToBack();
  // The commands: beep with nothing selected, otherwise re-stack and record.
  void BringToFrontCommand();
  void SendToBackCommand();

  // ---- Deleting
  void StingObject(CGPObject* object);
  void DeleteSelection();
  // Takes one object out of the model and destroys it, clearing every reference to it (the
  // context object, the gesture's object, arrow ends, cluster membership) in any mode: the
  // text editor removes an emptied label this way while text editing lasts.
  void RemoveObject(CGPObject* object);
  // Removes every object, the regions and the background picture.
  void ClearModel();

  // ---- Numbering
  std::vector<CGPObject*> SelectionForNumbering() const;
  void RenumberSelection(int start);
  // Whether numbering the selection (or clicking, with nothing selected) from start stays
  // within 32 bits.
  bool RenumberStartFits(std::int64_t start) const;
  // The command: renumber and record, or with nothing selected enter renumber mode.
  void RenumberCommand(int start);

  // ---- Attributes, background, page geometry
  void ApplyCurrentAttributes(CGPObject* object);
  void SetBackground(const std::optional<TPicture>& picture);
  void UpdatePageSize();
  void ApplyPrinterOrientation();
  void SetModelSize(int across, int down);

  // The window centre in model units, where inserted objects go.
  TModelPoint WindowCentre() const;

  // A picture as clipart at the window centre, at its natural size and without a line.
  CGPObject* InsertClipart(const TPicture& picture);
  // A shortcut to a file or program at the window centre, named by the path's file name.
  // The caller leaves the current operation mode first.
  CGPObject* InsertShortcut(const QString& path);
  // What a double click on an embedded document does; failures go to ReportError.
  void ActivateOleObject(const TOLECogi& object);

  // Hexagons from the brainstorm and thought windows, placed one after another in rows at
  // the program-wide insertion point.
  CGPObject* AddBrainstormCogi(const QString& text);
  CGPObject* AddThoughtCogi(const QString& text, const QString& secondText = QString());
  // Where the next such hexagon goes; (-1, -1) starts again at the window's top left.
  static TModelPoint InsertionPoint;

 private:
  TCogi* PlaceInsertedCogi();
  void FinishInsertedCogi(TCogi* cogi, const QString& caption);
  // Clears every non-owning reference to an object that is about to be destroyed.
  void ForgetObject(CGPObject* object);
  void DestroyObject(CGPObject* object);
  void DeleteTemporaryFiles();

  IPrinterInfo* printer_;
  IDocumentObserver* observer_ = nullptr;
  IUndoRecorder* undoRecorder_ = nullptr;
  IModeController* modeController_ = nullptr;
};
