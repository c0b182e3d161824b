// Object records for model tests: writing one and reading it back as the model reader does.
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <memory>

#include "model/objectfactory.h"
#include "platform/streams/binaryreader.h"
#include "platform/streams/binarywriter.h"

namespace recordtest {

inline QByteArray Record(const CGPObject& object)
{
  QByteArray bytes;
  TBinaryWriter writer(bytes);
  object.SaveToStream(writer);
  return bytes;
}

// Kind code first, then a new object of that kind loads the rest, which must be all of it.
inline std::unique_ptr<CGPObject> ReadBack(const QByteArray& bytes)
{
  TBinaryReader reader(bytes);
  std::unique_ptr<CGPObject> object(TObjectFactory::Create(reader.ReadInt32()));
  object->LoadFromStream(reader);
  EXPECT_TRUE(reader.AtEnd());
  return object;
}

}  // namespace recordtest
