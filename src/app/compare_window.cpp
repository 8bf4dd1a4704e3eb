#include "app/compare_window.h"

#include "widgets/named_button.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

namespace rqm27 {
namespace {

// Where a line keeps its difference's area and place.
constexpr int AreaRole = Qt::UserRole;
constexpr int PlaceRole = Qt::UserRole + 1;

// Room for a typical line and a screenful of them, in the window's font.
constexpr int ShownCharacters = 90;
constexpr int ShownLines = 20;

QString CaptionFor(std::size_t count, const QString& fileName) {
  const QString shownName = QFileInfo(fileName).fileName();
  if (count == 0) {
    return QStringLiteral("No differences: the open channels and %1 are the same").arg(shownName);
  }
  return QStringLiteral("%1 %2 between the open channels and %3")
      .arg(count)
      .arg(count == 1 ? QStringLiteral("difference") : QStringLiteral("differences"))
      .arg(shownName);
}

}  // namespace

CompareWindow::CompareWindow(std::function<const CloneImage&()> documentImage, QWidget* parent)
    : QDialog(parent), documentImage_(std::move(documentImage)) {
  setObjectName(QStringLiteral("compareWindow"));
  setWindowTitle(QStringLiteral("Compare"));
  setModal(false);

  caption_ = new QLabel(this);
  caption_->setObjectName(QStringLiteral("differenceCaption"));
  caption_->setWordWrap(true);

  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("differenceList"));
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setUniformItemSizes(true);
  // A long line scrolls sideways rather than losing its end, where the new value is.
  list_->setTextElideMode(Qt::ElideNone);
  caption_->setBuddy(list_);
  connect(list_, &QListWidget::itemActivated, this, &CompareWindow::goToItem);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  QPushButton* refreshButton =
      MakeNamedButton("refreshButton", QStringLiteral("&Refresh"),
                      QStringLiteral("Compare the open channels as they are now again"), this);
  connect(refreshButton, &QPushButton::clicked, this, &CompareWindow::refresh);
  buttons->addWidget(refreshButton);
  QPushButton* closeButton = MakeNamedButton("closeButton", QStringLiteral("Close"),
                                             QStringLiteral("Close the window"), this);
  connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
  buttons->addWidget(closeButton);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(caption_);
  layout->addWidget(list_, 1);
  layout->addLayout(buttons);

  const QFontMetrics metrics(list_->font());
  resize(metrics.averageCharWidth() * ShownCharacters, metrics.lineSpacing() * ShownLines);
}

void CompareWindow::compare(const CloneImage& document, const CloneImage& other,
                            const QString& fileName) {
  other_ = other;
  fileName_ = fileName;
  setWindowTitle(QStringLiteral("Compare with %1").arg(QFileInfo(fileName).fileName()));
  caption_->setToolTip(QDir::toNativeSeparators(fileName));
  showDifferences(ImageDiff(document, other_));
}

void CompareWindow::refresh() {
  showDifferences(ImageDiff(documentImage_(), other_));
}

void CompareWindow::showDifferences(const ImageDifferences& differences) {
  caption_->setText(CaptionFor(differences.size(), fileName_));
  list_->clear();
  for (const DiffEntry& entry : differences) {
    auto* item = new QListWidgetItem(entry.text, list_);
    item->setData(AreaRole, static_cast<int>(entry.area));
    item->setData(PlaceRole, entry.place);
  }
  if (list_->count() > 0) list_->setCurrentRow(0);
}

void CompareWindow::goToItem(const QListWidgetItem* item) {
  emit goTo(static_cast<DiffArea>(item->data(AreaRole).toInt()), item->data(PlaceRole).toInt());
}

void CompareWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  list_->setFocus();
}

}  // namespace rqm27
