// A model file written byte by byte from the file layout (tests/data/golden/make_golden.py),
// with one object of every class and every field set apart: each field must read from its
// own place, and writing the model back must give the same bytes.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "document/modeldocument.h"
#include "io/modeldump.h"
#include "io/modelfile.h"
#include "io/modelstream.h"
#include "platform/streams/binaryreader.h"
#include "testsupport.h"

namespace {

QByteArray Data(const QString& name)
{
  QFile file(testsupport::DataPath(name));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
  return file.readAll();
}

QString Compact(const QJsonValue& value)
{
  return QString::fromUtf8(QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact));
}

// Every key of the expected object must be there with its value, and nothing else.
void ExpectFields(const QJsonObject& expected, const QJsonObject& actual, const QString& where)
{
  for (auto it = expected.begin(); it != expected.end(); ++it)
    EXPECT_TRUE(actual.value(it.key()) == it.value())
        << qPrintable(where) << "." << qPrintable(it.key()) << ": read "
        << qPrintable(Compact(actual.value(it.key()))) << ", the layout puts "
        << qPrintable(Compact(it.value()));
  // The text styles summarise the rich text the layout stores whole; the view is the
  // window's, not the file's.
  static const QStringList kDerived = {QStringLiteral("TextStyle"), QStringLiteral("NotesStyle"),
                                       QStringLiteral("view")};
  for (auto it = actual.begin(); it != actual.end(); ++it)
    EXPECT_TRUE(expected.contains(it.key()) || kDerived.contains(it.key()))
        << qPrintable(where) << "." << qPrintable(it.key()) << " is not in the golden table";
}

}  // namespace

TEST(GoldenFile, EveryFieldReadsFromItsPlaceAndWritesBackTheSameBytes)
{
  const QByteArray golden = Data(QStringLiteral("golden/golden.mdl"));
  const QJsonObject expected =
      QJsonDocument::fromJson(Data(QStringLiteral("golden/golden.json"))).object();
  ASSERT_FALSE(golden.isEmpty());
  ASSERT_FALSE(expected.isEmpty());

  TModelDocument document;
  TModelStream::ReadModel(document, golden, false);
  const QJsonObject actual =
      QJsonDocument::fromJson(TModelDump::ToJson(document, TModelStream::ReadVersion(golden)))
          .object();
  EXPECT_EQ(actual.value(QStringLiteral("version")), expected.value(QStringLiteral("version")));
  ExpectFields(expected.value(QStringLiteral("header")).toObject(),
               actual.value(QStringLiteral("header")).toObject(), QStringLiteral("header"));
  const QJsonArray expectedObjects = expected.value(QStringLiteral("objects")).toArray();
  const QJsonArray actualObjects = actual.value(QStringLiteral("objects")).toArray();
  ASSERT_EQ(actualObjects.size(), expectedObjects.size());
  ASSERT_EQ(actualObjects.size(), 12);
  for (qsizetype i = 0; i < expectedObjects.size(); ++i) {
    const QJsonObject e = expectedObjects[i].toObject();
    ExpectFields(e, actualObjects[i].toObject(),
                 QStringLiteral("%1 %2").arg(i).arg(e.value(QStringLiteral("class")).toString()));
  }
  // New objects follow the largest stored serial.
  EXPECT_EQ(document.NextSerial, 978);

  // The preview comes first and the icon second.
  EXPECT_EQ(
      TModelFile::ModelThumbnail(testsupport::DataPath(QStringLiteral("golden/golden.mdl")), true)
          .size(),
      QSize(3, 4));
  EXPECT_EQ(
      TModelFile::ModelThumbnail(testsupport::DataPath(QStringLiteral("golden/golden.mdl")), false)
          .size(),
      QSize(2, 2));

  // The writer renders previews of its own (none here), so the bytes are compared from the
  // header on; everything there must come back exactly.
  TBinaryReader in(golden, 8);
  in.ReadBlock();
  in.ReadBlock();
  const QByteArray written = TModelStream::WriteModel(document, false);
  EXPECT_EQ(written.left(8), golden.left(8));
  EXPECT_EQ(written.mid(8, 8), QByteArray(8, '\0'));
  const QByteArray goldenBody = golden.mid(in.Position());
  const QByteArray writtenBody = written.mid(16);
  EXPECT_EQ(writtenBody.size(), goldenBody.size());
  qsizetype differs = 0;
  while (differs < std::min(goldenBody.size(), writtenBody.size()) &&
         goldenBody[differs] == writtenBody[differs])
    ++differs;
  EXPECT_EQ(differs, goldenBody.size()) << "first difference at byte " << in.Position() + differs;
}
