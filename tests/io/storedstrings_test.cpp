// Strings in model files: Windows-1252 where it can hold them, byte for byte as before, and
// UTF-8 after a mark for everything else, through files and undo snapshots alike.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>

#include <QFile>
#include <QTemporaryDir>

#include "io/iotestsupport.h"
#include "io/modeldump.h"
#include "io/modelfile.h"
#include "io/modelstream.h"
#include "model/embedded/shortcut.h"
#include "model/shapes/hotspot.h"

namespace {

// What the model stores; the view belongs to the window showing it.
QByteArray Dump(const TModelDocument& document)
{
  QJsonObject root =
      QJsonDocument::fromJson(TModelDump::ToJson(document, TModelStream::kVersion)).object();
  root.remove(QStringLiteral("view"));
  return QJsonDocument(root).toJson();
}

// Every stored string of the rich model, a hotspot and a shortcut set to the given texts.
void SetEveryString(TModelDocument& document, const QStringList& texts)
{
  document.CreatedBy = texts[0];
  document.SavedBy = texts[1];
  document.Keywords = texts[2];
  document.ReservedText = texts[3];
  document.FooterComments = texts[4];
  static_cast<TGateway*>(document.Objects[0])->SetLink(texts[5], nullptr);  // the cluster
  static_cast<TGateway*>(document.Objects[1])->SetLink(texts[6], nullptr);
  auto* hotspot = static_cast<THotspot*>(document.CreateObject(okHotspot));
  hotspot->SetLink(texts[7], nullptr);
  auto* shortcut = static_cast<TShortCut*>(document.CreateObject(okShortCut));
  shortcut->SetTarget(texts[8]);
  for (CGPObject* object : document.Objects)
    object->Recalculate(&document.Objects, true);
}

}  // namespace

TEST(StoredStrings, CharactersOutsideWindows1252SurviveSaveReopenUndoAndRedo)
{
  const QStringList texts = {
      QStringLiteral("\u0410\u043d\u043d\u0430"),                      // Cyrillic
      QStringLiteral("\u5f20\u4f1f"),                                  // CJK
      QStringLiteral("ideas \U0001F4A1, \u601d\u8003"),                // emoji and CJK
      QStringLiteral("\u00ef\u00bb\u00bf looks like the UTF-8 mark"),  // Windows-1252
      QStringLiteral("\u0421\u0442\u0440\u0430\u043d\u0438\u0446\u0430 \U0001F4C4"),
      QStringLiteral("/home/\u0430\u043d\u043d\u0430/\u043f\u043b\u0430\u043d.mdl"),
      QStringLiteral("https://example.org/\u8ba1\u5212"),
      QStringLiteral("\U0001F680 launch"),
      QStringLiteral("/home/\u0430\u043d\u043d\u0430/\u6587\u4ef6.txt"),
  };
  iotest::TRecordedModel model;
  TModelDocument& document = model.Document;
  iotest::BuildRichModel(document);
  SetEveryString(document, texts);
  model.Record(QStringLiteral("Create Shapes"));
  const QByteArray before = Dump(document);
  for (const QString& text : texts)
    EXPECT_TRUE(QString::fromUtf8(before).contains(text)) << text.toStdString();

  // Undo snapshots use the same stream.
  document.Objects[1]->X += 1;
  model.Record(QStringLiteral("Move Cogis"));
  const QByteArray moved = Dump(document);
  model.Recorder.Undo(document);
  EXPECT_EQ(Dump(document), before);
  model.Recorder.Redo(document);
  EXPECT_EQ(Dump(document), moved);

  // A file: saving sets SavedBy to the user, everything else comes back as it was.
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("\u043f\u043b\u0430\u043d.mdl"));
  TModelFile::SaveModelFile(document, path);
  TModelDocument reopened;
  TModelFile::OpenModelFile(reopened, path, false);
  EXPECT_EQ(Dump(reopened), Dump(document));
  EXPECT_EQ(reopened.CreatedBy, texts[0]);
  EXPECT_EQ(static_cast<TShortCut*>(reopened.Objects.back())->Target, texts[8]);
}

TEST(StoredStrings, AWindows1252ModelKeepsItsBytes)
{
  TModelDocument document;
  iotest::BuildRichModel(document);
  SetEveryString(document,
                 {QStringLiteral("Ren\u00e9e"), QStringLiteral("Zo\u00eb"),
                  QStringLiteral("caf\u00e9 \u20ac5 \u2122"), QStringLiteral("\u0178 \u00df"),
                  QStringLiteral("\u00bd page"), QStringLiteral("C:\\Mod\u00e8les\\r\u00eave.mdl"),
                  QStringLiteral("http://example.org/"), QStringLiteral("CGPTOMAINVIEW"),
                  QStringLiteral("/home/ren\u00e9e/notes.txt")});
  const QByteArray first = TModelStream::WriteModel(document, false);
  // The 8-bit characters and the zero byte, exactly as before.
  EXPECT_TRUE(first.contains(QByteArray("caf\xE9 \x80"
                                        "5 \x99") +
                             '\0'));
  EXPECT_TRUE(first.contains(QByteArray("/home/ren\xE9"
                                        "e/notes.txt") +
                             '\0'));
  EXPECT_FALSE(first.contains("\xEF\xBB\xBF"));
  TModelDocument copy;
  TModelStream::ReadModel(copy, first, false);
  EXPECT_EQ(TModelStream::WriteModel(copy, false), first);
}
