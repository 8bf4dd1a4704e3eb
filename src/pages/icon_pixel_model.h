// One user icon of the image as a 16 x 16 table, a cell a pixel: a set pixel shows blue with
// light-red text, a clear one black on black (the colours of the 16-colour console palette).
// The model keeps no pixels; it reads them from the image each time it is asked.
#pragma once

#include "model/icon_pixels.h"

#include <QAbstractTableModel>
#include <QColor>

#include <functional>

namespace rqm27 {

class IconPixelModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  static inline const QColor SetBackground{0, 0, 128};  // palette 1, blue
  static inline const QColor SetText{255, 0, 0};        // palette 12, light red
  static inline const QColor ClearColor{0, 0, 0};       // palette 0, black

  // `icons` gives the image's icons whenever the model needs them.
  explicit IconPixelModel(std::function<const IconPixels&()> icons, QObject* parent = nullptr);

  // The icon shown, 0-7.
  int icon() const { return icon_; }
  void setIcon(int icon);
  // Shows the pixels afresh after the image has changed; selections in views stay as they are.
  void refresh();

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 private:
  std::function<const IconPixels&()> icons_;
  int icon_ = 0;
};

}  // namespace rqm27
