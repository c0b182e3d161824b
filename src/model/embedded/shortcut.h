// A file or program on disk, shown by the icon of the file's type with its file name below.
// It is always a 64-pixel square at zoom 100 at the model's resolution (two thirds of an inch).
#pragma once

#include <QIcon>
#include <QString>

#include "model/layers/clusteredobject.h"
#include "platform/screenmetrics.h"

class IShell;

class TShortCut : public TClusteredObject {
 public:
  TShortCut();

  QString Target;
  QIcon TargetIcon;

  // Takes a new target and the icon of its file type.
  void SetTarget(const QString& path);
  // What a double click does: sounds are played by their player, which closes when done;
  // everything else is opened by the shell. Nothing without a target.
  void Activate(IShell& shell) const;
  // The file name part of a target, whichever separator it uses.
  static QString FileNamePart(const QString& path);

  void DrawBody(TCanvas& canvas, double offsetX, double offsetY, double zoom) override;
  void Recalculate(TObjectList* list, bool full) override;
  void SaveToStream(TBinaryWriter& stream) const override;
  void LoadFromStream(TBinaryReader& stream) override;

 protected:
  int ClassKindCode() const override { return okShortCut; }
  TAnchorList AnchorRule() const override;
  TTextBoxFractions TextBoxRule() const override { return {0.0, 0.25, 0.8, 0.5}; }
};
