#include <gtest/gtest.h>

#include "document/modeldocument.h"
#include "model/arrow.h"
#include "model/cluster.h"
#include "model/cogi.h"
#include "model/outlines/shapegenerator.h"
#include "platform/printerinfo.h"

namespace {

TCogi* AddCogi(TModelDocument& document, double x, double y)
{
  auto* cogi = static_cast<TCogi*>(document.CreateObject(okCogi));
  cogi->X = x;
  cogi->Y = y;
  cogi->SetShape(kCogiVariantHexagon, kCogiSmall);
  return cogi;
}

}  // namespace

TEST(DocumentClusters, NewObjectsTakeTheCurrentFillLineAndClusterColour)
{
  TDefaultPrinter printer;
  TModelDocument document(&printer);
  document.FillStyle = kFillPattern;
  document.FaceColor = 0x112233;
  document.BackColor = 0x445566;
  document.PatternIndex = 12;
  document.GradientIndex = 3;
  document.LineStyle = 2;
  document.LineWidth = 4.0f;
  document.LineColor = 0x0000AA;
  document.ClusterColor = 0x00CCDD;
  document.PictureCentred = false;
  QImage image(2, 2, QImage::Format_RGB32);
  image.fill(Qt::red);
  document.FillPicture = TPicture::FromImage(image);

  auto* cogi = static_cast<TCogi*>(document.CreateObject(okCogi));
  cogi->FillPicture = TPicture::FromImage(image);
  document.ApplyCurrentAttributes(cogi);
  EXPECT_EQ(cogi->FillStyle, kFillPattern);
  EXPECT_EQ(cogi->FaceColor, 0x112233u);
  EXPECT_EQ(cogi->BackColor, 0x445566u);
  EXPECT_EQ(cogi->PatternIndex, 12);
  EXPECT_EQ(cogi->GradientIndex, 3);
  EXPECT_EQ(cogi->LineStyle, 2);
  EXPECT_EQ(cogi->LineWidth, 4.0f);
  EXPECT_EQ(cogi->LineColor, 0x0000AAu);
  // Placement and picture are taken only with the picture style.
  EXPECT_TRUE(cogi->PictureCentred);
  EXPECT_TRUE(cogi->FillPicture.has_value());

  document.FillStyle = kFillPicture;
  document.ApplyCurrentAttributes(cogi);
  EXPECT_FALSE(cogi->PictureCentred);
  ASSERT_TRUE(cogi->FillPicture.has_value());
  document.FillPicture.reset();
  document.ApplyCurrentAttributes(cogi);
  EXPECT_FALSE(cogi->FillPicture.has_value());

  auto* cluster = static_cast<TCluster*>(document.CreateObject(okCluster));
  document.ApplyCurrentAttributes(cluster);
  EXPECT_EQ(cluster->FaceColor, 0x00CCDDu);
  EXPECT_EQ(cluster->LineWidth, 4.0f);

  auto* arrow = static_cast<TArrow*>(document.CreateObject(okArrow));
  document.ApplyCurrentAttributes(arrow);
  EXPECT_EQ(arrow->LineColor, 0x0000AAu);
}

TEST(DocumentClusters, StingingAMemberRefitsItsClusterAndNothingElse)
{
  TDefaultPrinter printer;
  TModelDocument document(&printer);
  auto* cluster = static_cast<TCluster*>(document.CreateObject(okCluster));
  cluster->X = 4;
  cluster->Y = 4;
  cluster->Width = 8;
  cluster->Height = 8;
  cluster->Outline = MakeShapeOutline(okCluster, 0, 8, 8);
  cluster->FitMembers = true;
  TCogi* a = AddCogi(document, 3, 4);
  TCogi* b = AddCogi(document, 6, 4);
  TCogi* loose = AddCogi(document, 20, 20);
  for (CGPObject* object : document.Objects)
    object->Recalculate(&document.Objects, true);
  ASSERT_EQ(cluster->Members.size(), 2u);
  const double fitted = cluster->Width;
  EXPECT_EQ(cluster->X, 4.5);

  document.StingObject(loose);
  EXPECT_EQ(cluster->Members.size(), 2u);
  EXPECT_EQ(cluster->Width, fitted);
  EXPECT_TRUE(document.ChangePending);

  document.StingObject(b);
  EXPECT_EQ(cluster->Members, (std::vector<TClusteredObject*>{a}));
  EXPECT_LT(cluster->Width, fitted);
  EXPECT_EQ(cluster->X, 3);

  document.StingObject(cluster);
  EXPECT_EQ(a->Cluster, nullptr);
  EXPECT_EQ(document.Objects, (TObjectList{a}));
}
