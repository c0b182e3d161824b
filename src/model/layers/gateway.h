// The gateway layer: a link to another model, a file, a program, a web address or one of
// the program's navigation targets, shown by a small icon on the object.
#pragma once

#include <QIcon>
#include <QImage>
#include <QString>
#include <optional>

#include "model/layers/filled.h"

class TModelDocument;

// The navigation targets a link can name instead of a file or an address.
struct TSpecialLink {
  enum class TKind { Help = 0, LastModel = 1, ControlModel = 2, MainView = 3 };
  TKind Kind = TKind::Help;
  int HelpContext = 0;
};

// Which picture a gateway shows for its link.
enum class TLinkIconKind {
  None,         // no link
  Application,  // a new gateway before any link is set
  Model,
  LastModel,
  ControlModel,
  MainView,
  Help,
  File,  // an existing file: its type's icon or a document icon
  Web,
  Fallback  // a missing file, or nothing better found
};

class TGateway : public TFilled {
 public:
  TGateway() = default;

  TModelDocument* LinkedModel = nullptr;  // unsaved model made by "Link to New Model"
  QString Link;
  TLinkIconKind LinkIconKind = TLinkIconKind::Application;
  double IconX = 0.0;
  double IconY = 0.0;

  bool HasGateway() const { return !Link.isEmpty() || LinkedModel; }
  void SetLink(const QString& link, TModelDocument* linkedModel);
  // The icon drawn for the link, made when first needed.
  const QIcon& LinkIcon() const;
  // Makes the icon's picture for drawing at a zoom on a canvas of that resolution: icons are
  // made on the user-interface thread only, so drawing shared between threads uses this.
  void PrepareIconImage(const TCanvas& canvas, double zoom) const;
  // Draws the icon when zoomed in beyond 30 % and the object is a gateway.
  void DrawGatewayIcon(TCanvas& canvas, double angle, double offsetX, double offsetY,
                       double zoom) const;

  // The special target a link names, or none for ordinary links.
  static std::optional<TSpecialLink> ParseSpecialLink(const QString& link);
  static TLinkIconKind ChooseLinkIcon(const QString& link, bool hasLinkedModel);
  // Links with a backslash, and absolute local paths, name files rather than addresses.
  static bool IsPathLink(const QString& link);

  void Recalculate(TObjectList* list, bool full) override;
  void SaveToStream(TBinaryWriter& stream) const override;
  void LoadFromStream(TBinaryReader& stream) override;

 protected:
  // Centre of the icon as fractions of Width and Height from the centre.
  virtual TModelPoint IconPositionRule() const { return {0.0, 0.42}; }

 private:
  mutable std::optional<QIcon> icon_;
  mutable QImage iconImage_;  // made by PrepareIconImage
};
