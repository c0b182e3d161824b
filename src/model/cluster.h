// A shape of the Cogi family drawn underneath other objects to group them: every clustered
// object lying on it (and above it in the drawing order) is its member and moves with it,
// and the cluster can fit its outline around its members.
#pragma once

#include <cstdint>
#include <vector>

#include "model/layers/clusteredobject.h"
#include "model/layers/cogishaped.h"

class TCluster : public TCogiShaped {
 public:
  TCluster();
  // Frees only the membership links.
  ~TCluster() override;

  std::vector<TClusteredObject*> Members;  // in the order they joined; not owned
  bool NumberMembers = false;
  std::uint8_t ClusterMargin = 1;  // 0: 0.25 inch, 1: 1 inch, 2: 2 inches
  bool FitMembers = false;
  bool SeeThrough = false;

  // The margin fitting leaves around the members, in inches.
  double MarginInches() const;

  // Membership; each does nothing unless object is a clustered object that is not a
  // cluster and cluster is a cluster.
  static void AddToCluster(CGPObject* object, CGPObject* cluster);
  static void RemoveFromCluster(CGPObject* object, CGPObject* cluster);
  // The object joins the topmost cluster below it that it overlaps, or leaves its cluster.
  static void UpdateClusterMembership(TObjectList& list, CGPObject* object);
  // Membership of a whole list at once, as refreshing every object in list order gives it:
  // each clustered object joins the topmost cluster below it that it overlaps. Clusters are
  // found through a grid of their boxes, so the work grows with the list, not its square.
  static void AssignMemberships(TObjectList& list);
  // The cluster takes every free clustered object above it that overlaps it.
  void GatherMembers(TObjectList& list);
  // What refreshing each of the objects with the list, in list order, does to membership,
  // for many objects at once (a moved selection): a clustered object joins the topmost
  // cluster below it that it overlaps or leaves its cluster, a cluster gathers the free
  // objects above it anew. Neighbours are found through grids of their boxes instead of
  // scans of the list. False, with nothing changed, when a cluster fits its outline to its
  // members (its box would change under the grids): refresh the objects one by one then.
  static bool RefreshMemberships(TObjectList& list, const std::vector<CGPObject*>& objects);
  // Re-fits the outline around the members (with FitMembers), then refreshes the layout.
  void FitToMembers(TCanvas& canvas, TObjectList& list, double zoom, double offsetX,
                    double offsetY);
  // Gives the members the numbers 1, 2, 3 ... in reading order of their screen boxes.
  void NumberInReadingOrder();

  void Draw(TCanvas& canvas, bool fast, double offsetX, double offsetY, double zoom) override;
  void DrawShadow(TCanvas& canvas, double offsetX, double offsetY, double zoom) override;
  void MoveTo(TObjectList* list, double x, double y) override;
  void DrawHandles(TCanvas& canvas, double angle, QRegion& handleRegion, bool primary, int mode,
                   double offsetX, double offsetY, double zoom) override;
  void Recalculate(TObjectList* list, bool full) override;
  void SaveToStream(TBinaryWriter& stream) const override;
  void LoadFromStream(TBinaryReader& stream) override;

 protected:
  int ClassKindCode() const override { return okCluster; }
  // A cluster keeps its text box.
  TTextBoxFractions TextBoxRule() const override
  {
    return {TextOffsetX, TextOffsetY, TextWidth, TextHeight};
  }

 private:
  // Every member leaves the cluster.
  void ReleaseMembers();
  // Fits a free-form outline along rays from the centre; false when too few rays hit.
  bool FitFreeForm(const TCanvas& canvas, const QRegion& united, double radius, double margin,
                   double offsetX, double offsetY, double zoom);
};
