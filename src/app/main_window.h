// The main window: owns the clone image and shows it, for now on the "Memory" tab as the
// channel grid.
#pragma once

#include "model/clone_image.h"

#include <QMainWindow>

class QTabWidget;

namespace rqm27 {

class ChannelGridView;
class ChannelTableModel;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);

  const CloneImage& image() const { return image_; }

  // Puts a whole new image in place (a loaded file, a completed read): the grid shows it and
  // the row labels follow its bank table.
  void replaceImage(CloneImage image);

 private:
  QWidget* buildMemoryPage();

  CloneImage image_ = StartupImage();
  ChannelTableModel* channelModel_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  ChannelGridView* grid_ = nullptr;
};

}  // namespace rqm27
