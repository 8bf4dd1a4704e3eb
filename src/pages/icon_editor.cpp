#include "pages/icon_editor.h"

#include "files/file_io.h"
#include "files/icon_font_file.h"
#include "pages/icon_pixel_model.h"
#include "widgets/default_extension.h"
#include "widgets/named_button.h"
#include "widgets/twips.h"

#include <QComboBox>
#include <QDateTime>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>
#include <utility>

namespace rqm27 {

namespace {

constexpr int CellTwips = 400;

const FileDialogRequest OpenFontDialog = {
    QStringLiteral("Open"),
    QStringLiteral("FK5 (*.FK5);;FK5 Files (*.FK5);;All Files (*)"),
    {},
};
const FileDialogRequest SaveFontDialog = {
    QStringLiteral("Save"),
    QStringLiteral("K5フォントファイル(*.FK5);;すべてのファイル(*.*)"),
    QStringLiteral("FK5"),
};

Message Complete() {
  return Notice(QStringLiteral("Complete"), QStringLiteral("Complete"));
}

// The icon number list: the arrow keys and the mouse choose, typed characters are dropped.
class IconNumberBox : public QComboBox {
 public:
  using QComboBox::QComboBox;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (!event->text().isEmpty() && event->text().at(0).isPrint()) {
      event->accept();
      return;
    }
    QComboBox::keyPressEvent(event);
  }
};

// Paints a pixel in the model's colour; a selected pixel gets a light veil over it, so that
// its state shows through, and the current one a frame.
class PixelDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    painter->fillRect(option.rect, index.data(Qt::BackgroundRole).value<QColor>());
    if (option.state & QStyle::State_Selected) {
      QColor veil = option.palette.color(QPalette::Highlight);
      veil.setAlpha(110);
      painter->fillRect(option.rect, veil);
    }
    if (option.state & QStyle::State_HasFocus) {
      painter->save();
      painter->setPen(QPen(Qt::white, 1, Qt::DotLine));
      painter->drawRect(option.rect.adjusted(1, 1, -2, -2));
      painter->restore();
    }
  }
};

// The pixel grid: square cells without headers or scroll bars. A plain left click or Space
// asks to toggle a pixel; a click with Shift or Ctrl only extends the selection.
class PixelGridView : public QTableView {
 public:
  PixelGridView(QAbstractItemModel* model, QWidget* parent) : QTableView(parent) {
    setObjectName(QStringLiteral("pixelGrid"));
    setModel(model);
    setItemDelegate(new PixelDelegate(this));
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setStyleSheet(QStringLiteral("QTableView { gridline-color: #808080; }"));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    const int cell = TwipsToPixels(CellTwips, *this);
    for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
      header->setMinimumSectionSize(1);
      header->setDefaultSectionSize(cell);
      header->setSectionResizeMode(QHeaderView::Fixed);
    }
    setFixedSize(IconSize * cell + 2 * frameWidth(), IconSize * cell + 2 * frameWidth());
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
      if (plainPress_ && toggle) toggle(index.row(), index.column());
    });
  }

  std::function<void(int row, int column)> toggle;

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    plainPress_ = event->button() == Qt::LeftButton && event->modifiers() == Qt::NoModifier;
    QTableView::mousePressEvent(event);
  }

  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
      const QModelIndex current = currentIndex();
      if (current.isValid() && toggle) toggle(current.row(), current.column());
      event->accept();
      return;
    }
    QTableView::keyPressEvent(event);
  }

 private:
  bool plainPress_ = false;
};

QPushButton* AddButton(QWidget* owner, const char* name, const QString& caption, const QString& tip,
                       std::function<void()> action) {
  auto* button = MakeNamedButton(name, caption, tip, owner);
  QObject::connect(button, &QPushButton::clicked, owner, std::move(action));
  return button;
}

// Two buttons side by side, of one width.
QGridLayout* ButtonPairs(const std::initializer_list<std::pair<QPushButton*, QPushButton*>>& rows) {
  auto* layout = new QGridLayout;
  int row = 0;
  for (const auto& [left, right] : rows) {
    layout->addWidget(left, row, 0);
    layout->addWidget(right, row, 1);
    ++row;
  }
  layout->setColumnStretch(0, 1);
  layout->setColumnStretch(1, 1);
  return layout;
}

}  // namespace

IconEditor::IconEditor(PageHost& host, QWidget* parent) : QWidget(parent, Qt::Window), host_(host) {
  setObjectName(QStringLiteral("iconEditor"));
  setWindowTitle(QStringLiteral("Icon Editor"));

  model_ = new IconPixelModel([this]() -> const IconPixels& { return host_.image().icons; }, this);
  auto* grid = new PixelGridView(model_, this);
  grid->toggle = [this](int row, int column) { togglePixel(row, column); };
  grid_ = grid;

  auto* content = new QHBoxLayout;
  content->setSpacing(12);
  content->addWidget(grid_, 0, Qt::AlignTop);
  content->addWidget(buildButtons());

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(10, 8, 10, 10);
  layout->addLayout(content);
  buildMenu();
  layout->setSizeConstraint(QLayout::SetFixedSize);

  host_.addLockableWindow(this);
  showIcon(0);
}

void IconEditor::buildMenu() {
  auto* bar = new QMenuBar(this);
  QMenu* file = bar->addMenu(QStringLiteral("File(&F)"));
  file->setObjectName(QStringLiteral("fontFileMenu"));
  QAction* open = file->addAction(QStringLiteral("Open(&O)"), this, &IconEditor::openFontFile);
  open->setObjectName(QStringLiteral("openFontFileItem"));
  open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  QAction* save = file->addAction(QStringLiteral("Save(&S)"), this, &IconEditor::saveFontFile);
  save->setObjectName(QStringLiteral("saveFontFileItem"));
  save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  static_cast<QVBoxLayout*>(layout())->setMenuBar(bar);
}

QWidget* IconEditor::buildButtons() {
  auto* column = new QWidget(this);
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);

  iconList_ = new IconNumberBox(column);
  iconList_->setObjectName(QStringLiteral("iconList"));
  for (int n = 0; n < IconCount; ++n) iconList_->addItem(QString::number(n));
  iconList_->setToolTip(QStringLiteral("The icon shown"));
  connect(iconList_, &QComboBox::currentIndexChanged, this, [this](int icon) { showIcon(icon); });
  auto* number = new QHBoxLayout;
  auto* label = new QLabel(QStringLiteral("No."), column);
  label->setBuddy(iconList_);
  number->addWidget(label);
  number->addWidget(iconList_, 1);

  auto* iconBox = new QGroupBox(QStringLiteral("Icon"), column);
  auto* iconLayout = new QVBoxLayout(iconBox);
  iconLayout->addLayout(number);
  iconLayout->addLayout(ButtonPairs({
      {AddButton(this, "previousIconButton", QStringLiteral("PREV.  <<"),
                 QStringLiteral("Previous icon"), [this] { showIcon(shownIcon() - 1); }),
       AddButton(this, "nextIconButton", QStringLiteral("NEXT   >>"), QStringLiteral("Next icon"),
                 [this] { showIcon(shownIcon() + 1); })},
  }));

  auto* editBox = new QGroupBox(QStringLiteral("Edit"), column);
  editBox->setLayout(ButtonPairs({
      {AddButton(this, "setPixelsButton", QStringLiteral("Set Pixel"),
                 QStringLiteral("Set every pixel of the selection"),
                 [this] { fillSelectedCells(1); }),
       AddButton(this, "deletePixelsButton", QStringLiteral("Delete Pixel"),
                 QStringLiteral("Clear every pixel of the selection"),
                 [this] { fillSelectedCells(0); })},
      {AddButton(this, "clearShownIconButton", QStringLiteral("Clear"),
                 QStringLiteral("Clear this icon"), [this] { clearShownIcon(); }),
       AddButton(this, "clearAllIconsButton", QStringLiteral("Clear ALL"),
                 QStringLiteral("Clear all eight icons"), [this] { clearAllIcons(); })},
  }));

  auto* receiverBox = new QGroupBox(QStringLiteral("Receiver"), column);
  receiverBox->setLayout(ButtonPairs({
      {AddButton(this, "readShownIconButton", QStringLiteral("Read"),
                 QStringLiteral("Read this icon from the receiver"), [this] { readShownIcon(); }),
       AddButton(this, "writeShownIconButton", QStringLiteral("Write"),
                 QStringLiteral("Write this icon to the receiver"), [this] { writeShownIcon(); })},
      {AddButton(this, "readAllIconsButton", QStringLiteral("Read ALL"),
                 QStringLiteral("Read all eight icons from the receiver"),
                 [this] { readAllIcons(); }),
       AddButton(this, "writeAllIconsButton", QStringLiteral("Write ALL"),
                 QStringLiteral("Write all eight icons to the receiver"),
                 [this] { writeAllIcons(); })},
  }));

  QPushButton* ok = AddButton(this, "okButton", QStringLiteral("OK"),
                              QStringLiteral("Close the icon editor"), [this] { close(); });

  layout->addWidget(iconBox);
  layout->addWidget(editBox);
  layout->addWidget(receiverBox);
  layout->addStretch(1);
  layout->addWidget(ok, 0, Qt::AlignRight);

  // All buttons of one width, the widest caption's with room to spare.
  const QList<QPushButton*> buttons = column->findChildren<QPushButton*>();
  int widest = 0;
  for (const QPushButton* button : buttons) widest = std::max(widest, button->sizeHint().width());
  for (QPushButton* button : buttons) button->setMinimumWidth(widest + 12);
  return column;
}

void IconEditor::showImage() {
  model_->refresh();
}

int IconEditor::shownIcon() const {
  return model_->icon();
}

void IconEditor::showIcon(int icon) {
  if (icon < 0 || icon >= IconCount) return;
  model_->setIcon(icon);
  iconList_->setCurrentIndex(icon);
  grid_->setCurrentIndex(model_->index(0, 0));
}

void IconEditor::togglePixel(int row, int column) {
  const auto icon = static_cast<std::size_t>(shownIcon());
  host_.editImage(QStringLiteral("Edit icon"), [=](CloneImage& image) {
    std::uint8_t& pixel =
        image.icons[icon][static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    pixel = pixel == 1 ? 0 : 1;
  });
}

QRect IconEditor::selectedCells() const {
  QRect cells;
  if (const QModelIndex current = grid_->currentIndex(); current.isValid()) {
    cells = QRect(current.column(), current.row(), 1, 1);
  }
  for (const QItemSelectionRange& range : grid_->selectionModel()->selection()) {
    cells |= QRect(QPoint(range.left(), range.top()), QPoint(range.right(), range.bottom()));
  }
  return cells;
}

void IconEditor::fillSelectedCells(std::uint8_t value) {
  const QRect cells = selectedCells();
  if (cells.isEmpty()) return;
  const auto icon = static_cast<std::size_t>(shownIcon());
  host_.editImage(QStringLiteral("Edit icon"), [=](CloneImage& image) {
    for (int row = cells.top(); row <= cells.bottom(); ++row) {
      for (int column = cells.left(); column <= cells.right(); ++column) {
        image.icons[icon][static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = value;
      }
    }
  });
}

void IconEditor::clearShownIcon() {
  const auto icon = static_cast<std::size_t>(shownIcon());
  host_.editImage(QStringLiteral("Clear icon"),
                  [icon](CloneImage& image) { image.icons[icon] = {}; });
}

void IconEditor::clearAllIcons() {
  host_.editImage(QStringLiteral("Clear all icons"), [](CloneImage& image) { image.icons = {}; });
}

void IconEditor::readShownIcon() {
  const int icon = shownIcon();
  host_.startTransfer({
      .procedure =
          [icon](Port& port, Variant variant, const CloneImage& image, const TransferHooks& hooks) {
            return ReadIcon(port, variant, image, icon, hooks);
          },
      .apply =
          [icon](CloneImage& image, const CloneImage& read) {
            image.icons[static_cast<std::size_t>(icon)] =
                read.icons[static_cast<std::size_t>(icon)];
          },
      .report = PageReport(Complete()),
  });
}

void IconEditor::writeShownIcon() {
  const int icon = shownIcon();
  host_.startTransfer({
      .procedure =
          [icon](Port& port, Variant variant, const CloneImage& image, const TransferHooks& hooks) {
            return WriteIcon(port, variant, image, icon, hooks);
          },
      .report = PageReport(Complete()),
  });
}

void IconEditor::readAllIcons() {
  host_.startTransfer({
      .procedure = ReadAllIcons,
      .apply = [](CloneImage& image, const CloneImage& read) { image.icons = read.icons; },
      .report = PageReport(Complete()),
  });
}

void IconEditor::writeAllIcons() {
  host_.startTransfer({.procedure = WriteAllIcons, .report = PageReport(Complete())});
}

void IconEditor::openFontFile() {
  UserDialogs& dialogs = host_.dialogs();
  const QString path = dialogs.openFileName(OpenFontDialog);
  if (path.isEmpty()) return;
  const Result<QByteArray> bytes = ReadWholeFile(path);
  if (!bytes) {
    dialogs.showMessage({QStringLiteral(" Error"), QStringLiteral("Can't open the file."),
                         bytes.error(), MessageIcon::Critical});
    return;
  }
  Result<IconPixels> icons = ReadIconFontFile(*bytes, host_.image().icons, path);
  if (!icons) {
    dialogs.showMessage(Notice(QStringLiteral(" Error"), icons.error()));
    return;
  }
  host_.editImage(QStringLiteral("Load icons"),
                  [&icons](CloneImage& image) { image.icons = *icons; });
  dialogs.showMessage(Notice(QStringLiteral(" Finish"), QStringLiteral("Read Icon File")));
}

void IconEditor::saveFontFile() {
  UserDialogs& dialogs = host_.dialogs();
  QString path = dialogs.saveFileName(SaveFontDialog);
  if (path.isEmpty()) return;
  path = WithDefaultExtension(path, SaveFontDialog.defaultSuffix);
  const Status saved =
      SaveWholeFile(path, WriteIconFontFile(host_.image().icons, QDateTime::currentDateTime()));
  if (!saved) {
    dialogs.showMessage({QStringLiteral(" Error"), QStringLiteral("Can't save the file."),
                         saved.error(), MessageIcon::Critical});
    return;
  }
  dialogs.showMessage(Notice(QStringLiteral(" Finish"), QStringLiteral("Save File")));
}

}  // namespace rqm27
