// The icon editor window: the eight user icons of the image, one at a time, as a 16 x 16 grid
// of pixels. A click or Space toggles a pixel, "Set Pixel" and "Delete Pixel" fill the
// selected rectangle; the buttons read and write the shown icon or all icons with the
// receiver, and the File menu keeps the icons in an icon font file. Every change goes through
// the host, which owns the image and shows it again in every view.
#pragma once

#include "pages/page_host.h"

#include <QRect>
#include <QWidget>

#include <cstdint>

class QComboBox;
class QTableView;

namespace rqm27 {

class IconPixelModel;

class IconEditor : public QWidget, public ImageView {
  Q_OBJECT

 public:
  explicit IconEditor(PageHost& host, QWidget* parent = nullptr);

  void showImage() override;

  // The icon shown, 0-7.
  int shownIcon() const;
  // Shows icon 0-7 with its top left pixel current.
  void showIcon(int icon);

 private:
  void buildMenu();
  QWidget* buildButtons();

  void togglePixel(int row, int column);
  // The cells from the current one to the other corner of the selection: x columns, y rows.
  QRect selectedCells() const;
  void fillSelectedCells(std::uint8_t value);
  void clearShownIcon();
  void clearAllIcons();

  void readShownIcon();
  void writeShownIcon();
  void readAllIcons();
  void writeAllIcons();

  void openFontFile();
  void saveFontFile();

  PageHost& host_;
  IconPixelModel* model_ = nullptr;
  QTableView* grid_ = nullptr;
  QComboBox* iconList_ = nullptr;
};

}  // namespace rqm27
