// The dump written as a stream must give exactly the bytes of the whole model built as one
// JSON tree and written by the JSON document writer: the key order, indentation, number and
// string forms all come from that writer.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QJsonDocument>
#include <cmath>
#include <limits>

#include "io/iotestsupport.h"
#include "io/modeldump.h"
#include "io/modelstream.h"
#include "model/embedded/shortcut.h"
#include "model/shapes/balloon.h"
#include "model/shapes/freeshape.h"
#include "model/shapes/label.h"
#include "platform/streams/streamerror.h"
#include "testsupport.h"

namespace {

QByteArray TreeBytes(const TModelDocument& document, double version)
{
  return QJsonDocument(TModelDump::ToJsonObject(document, version)).toJson(QJsonDocument::Indented);
}

void ExpectSameBytes(const TModelDocument& document, double version)
{
  const QByteArray streamed = TModelDump::ToJson(document, version);
  const QByteArray tree = TreeBytes(document, version);
  ASSERT_FALSE(streamed.isEmpty());
  if (streamed == tree) return;
  qsizetype at = 0;
  while (at < streamed.size() && at < tree.size() && streamed[at] == tree[at])
    ++at;
  ADD_FAILURE() << "first difference at byte " << at << ": streamed \""
                << streamed.mid(std::max<qsizetype>(0, at - 60), 120).toStdString() << "\" tree \""
                << tree.mid(std::max<qsizetype>(0, at - 60), 120).toStdString() << "\"";
}

// A device that takes nothing.
class TFullDevice : public QIODevice {
 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char*, qint64) override { return -1; }
};

}  // namespace

TEST(StreamedDump, EqualsTheTreeWrittenWholeOnEveryTestModel)
{
  QFile golden(testsupport::DataPath(QStringLiteral("golden/golden.mdl")));
  ASSERT_TRUE(golden.open(QIODevice::ReadOnly));
  const QByteArray bytes = golden.readAll();
  TModelDocument fromFile;
  TModelStream::ReadModel(fromFile, bytes, false);
  ExpectSameBytes(fromFile, TModelStream::ReadVersion(bytes));

  TModelDocument rich;
  iotest::BuildRichModel(rich);
  ExpectSameBytes(rich, 2.01);

  // Enough objects to be written in batches shared between cores, arrows between them.
  TModelDocument large;
  CGPObject* previous = nullptr;
  for (int i = 0; i < 1300; ++i) {
    CGPObject* cogi = iotest::AddCogi(large, (i % 40) * 1.5, (i / 40) * 1.5, i % 17,
                                      QStringLiteral("idea %1").arg(i));
    if (previous && i % 3 == 0) {
      auto* arrow = static_cast<TArrow*>(large.CreateObject(okArrow));
      TArrow::AttachArrowEnd(previous, arrow, -1, TArrowEnd::Start);
      TArrow::AttachArrowEnd(cogi, arrow, -1, TArrowEnd::Finish);
      arrow->Recalculate(&large.Objects, true);
    }
    previous = cogi;
  }
  ExpectSameBytes(large, 2.01);

  // No objects: the empty array has a form of its own.
  TModelDocument empty;
  ExpectSameBytes(empty, 1.0);
}

TEST(StreamedDump, WritesAwkwardStringsAndNumbersAsTheDocumentWriterDoes)
{
  TModelDocument document;
  // Quotes, backslashes, every kind of control character, text beyond the first plane, a
  // lone surrogate of each kind and one at the very end.
  QString awkward = QStringLiteral("\"q\" \\ \b\f\n\r\t\x01\x1f\x7f caf\u00e9 \u20ac \U0001F600 ");
  awkward += QChar(0xD800);
  awkward += QStringLiteral("x");
  awkward += QChar(0xDC00);
  awkward += QChar(0xD83D);
  document.Keywords = awkward;
  document.CreatedBy = QString(QChar(0xDBFF));
  document.CreatedTime = std::numeric_limits<double>::quiet_NaN();
  document.SavedTime = -std::numeric_limits<double>::infinity();
  document.LeftMargin = 1.0e21;
  document.RightMargin = -0.0;
  document.TopMargin = 1.0 / 3.0;
  document.BottomMargin = 5e-324;
  document.ModelColor = 0xFFFFFFFFu;
  document.ReservedNumber = std::numeric_limits<std::int32_t>::min();
  auto* label = static_cast<TLabel*>(document.CreateObject(okLabel));
  label->Text =
      QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 a\\line b\\par c\\tab d}");
  label->Notes = QByteArray("plain notes\r\nsecond line");
  auto* shortcut = static_cast<TShortCut*>(document.CreateObject(okShortCut));
  shortcut->Target = QStringLiteral("C:\\Models\\\"odd\".mdl");
  shortcut->X = std::numeric_limits<double>::infinity();
  auto* shape = static_cast<TFreeShape*>(document.CreateObject(okFreeShape));
  shape->Outline.clear();  // an empty outline array
  auto* balloon = static_cast<TBalloon*>(document.CreateObject(okBalloon));
  balloon->TipX = 123456789.125;
  ExpectSameBytes(document, 2.01);
}

TEST(StreamedDump, AWriteTheDeviceRefusesIsAStreamError)
{
  TModelDocument document;
  iotest::BuildRichModel(document);
  TFullDevice device;
  device.open(QIODevice::WriteOnly);
  EXPECT_THROW(TModelDump::WriteJson(document, 2.01, device), EStreamError);
}
