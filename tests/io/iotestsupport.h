// Builders shared by the persistence tests: models with a bit of everything in them.
#pragma once

#include <QByteArray>

#include "document/modeldocument.h"
#include "io/undorecorder.h"
#include "model/arrow.h"
#include "model/cluster.h"
#include "model/cogi.h"
#include "model/outlines/shapegenerator.h"
#include "platform/printerinfo.h"
#include "platform/text/rtfwriter.h"

namespace iotest {

inline TCogi* AddCogi(TModelDocument& document, double x, double y, int variant = 7,
                      const QString& text = QString())
{
  auto* cogi = static_cast<TCogi*>(document.CreateObject(okCogi));
  cogi->X = x;
  cogi->Y = y;
  cogi->SetShape(variant, 0);
  if (!text.isEmpty()) cogi->Text = TRtfWriter::CentredText(text);
  cogi->Recalculate(&document.Objects, true);
  return cogi;
}

// Hexagons with text, notes, a link, a rotation, a shadow and 3-D; a cluster under two of
// them; header fields away from their defaults.
inline void BuildRichModel(TModelDocument& document)
{
  document.Keywords = QStringLiteral("ideas, caf\u00e9");
  document.FooterComments = QStringLiteral("footer");
  document.ReservedNumber = 7;
  document.ReservedText = QStringLiteral("kept");
  document.ShowGrid = false;
  document.ZoomFrames = 4;
  document.ModelColor = 0xE0FFFF;
  document.MainViewTopLeft = {1, 1};
  document.MainViewBottomRight = {9, 7};
  auto* cluster = static_cast<TCluster*>(document.CreateObject(okCluster));
  cluster->X = 4;
  cluster->Y = 3;
  cluster->Width = 5;
  cluster->Height = 3;
  cluster->ShapeVariant = 11;
  cluster->Outline = MakeShapeOutline(okCluster, 11, 5, 3);
  cluster->NumberMembers = true;
  cluster->ClusterMargin = 2;
  cluster->Recalculate(&document.Objects, true);
  TCogi* a = AddCogi(document, 3, 3, 7, QStringLiteral("First idea"));
  a->Notes = TRtfWriter::CentredText(QStringLiteral("a note"));
  a->Shadow = 1;
  a->ShowNumber = true;
  a->SetLink(QStringLiteral("http://example.org/"), nullptr);
  TCogi* b = AddCogi(document, 5, 3, 3, QStringLiteral("Second"));
  b->Style3D = 2;
  b->Angle = 30;
  b->FillStyle = 2;
  b->PatternIndex = 20;
  b->LineWidth = 2.5f;
  b->LineColor = 0x0000FF;
  TCogi* c = AddCogi(document, 10, 6, 0, QStringLiteral("Far away"));
  c->CogiSize = 2;
  c->DragX = 1.25;
  for (CGPObject* object : document.Objects)
    object->Recalculate(&document.Objects, true);
}

// A document wired to an undo recorder, as a model window has it.
struct TRecordedModel {
  TRecordedModel()
  {
    Document.SetUndoRecorder(&Recorder);
    TUndoRecorder::TakeBaseline(Document);
  }
  void Record(const QString& caption)
  {
    Document.ChangePending = true;
    Document.RecordUndo(caption);
  }

  TUndoRecorder Recorder;
  TModelDocument Document;
};

}  // namespace iotest
