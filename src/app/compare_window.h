// The "Compare with..." window: what differs between the open document's image and the image of
// a file, one line each in the order a reader goes through an image, under a caption naming the
// file and the count. Refresh compares the document's image as it is now with the same file
// image again; double-click or Enter on a line asks the main window to go to its place.
#pragma once

#include "model/clone_image.h"
#include "model/image_diff.h"

#include <QDialog>

#include <functional>

class QLabel;
class QListWidget;
class QListWidgetItem;

namespace rqm27 {

class CompareWindow : public QDialog {
  Q_OBJECT

 public:
  // `documentImage` gives the document's image as it is when Refresh is pressed.
  explicit CompareWindow(std::function<const CloneImage&()> documentImage,
                         QWidget* parent = nullptr);

  // Shows what turns the document's image into `other`, the image of the file `fileName`.
  void compare(const CloneImage& document, const CloneImage& other, const QString& fileName);
  // Compares the document's image as it is now with the file's image again.
  void refresh();

 signals:
  // The user asked to see a difference: its area and its place there (see DiffEntry::place).
  void goTo(DiffArea area, int place);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void showDifferences(const ImageDifferences& differences);
  void goToItem(const QListWidgetItem* item);

  std::function<const CloneImage&()> documentImage_;
  CloneImage other_;
  QString fileName_;
  QLabel* caption_ = nullptr;
  QListWidget* list_ = nullptr;
};

}  // namespace rqm27
