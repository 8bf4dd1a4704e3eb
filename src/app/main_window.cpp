#include "app/main_window.h"

#include "app/twips.h"
#include "grid/channel_grid_view.h"
#include "grid/channel_table_model.h"

#include <QTabWidget>
#include <QVBoxLayout>

#include <utility>

namespace rqm27 {

namespace {

constexpr int WindowWidthTwips = 13740;
constexpr int WindowHeightTwips = 8130;

}  // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), channelModel_(new ChannelTableModel(image_, this)) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("RQ-M27 Clone Utility v." RQM27_VERSION));

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("TabStrip1"));
  tabs_->addTab(buildMemoryPage(), tr("Memory"));
  setCentralWidget(tabs_);

  resize(TwipsToPixels(WindowWidthTwips, *this), TwipsToPixels(WindowHeightTwips, *this));
}

QWidget* MainWindow::buildMemoryPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("A_FRAME_0"));
  grid_ = new ChannelGridView(channelModel_, page);
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(grid_);
  return page;
}

void MainWindow::replaceImage(CloneImage image) {
  image_ = std::move(image);
  channelModel_->imageReset();
  channelModel_->refreshRowLabels();
}

}  // namespace rqm27
