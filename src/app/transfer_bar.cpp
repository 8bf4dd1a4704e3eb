#include "app/transfer_bar.h"

#include "widgets/twips.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include <array>

namespace rqm27 {

namespace {

struct VariantOption {
  Variant variant;
  const char* caption;
};
constexpr std::array<VariantOption, 4> VariantOptions = {{
    {Variant::J, "J"},
    {Variant::E, "E/EGR"},
    {Variant::T, "T"},
    {Variant::K, "K"},
}};

constexpr int PercentageWidthTwips = 900;

// A progress bar that reports a mouse press.
class PressableProgressBar : public QProgressBar {
  Q_OBJECT

 public:
  using QProgressBar::QProgressBar;

 signals:
  void pressed();

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    event->accept();
    emit pressed();
  }
};

}  // namespace

TransferBar::TransferBar(QWidget* parent) : QWidget(parent) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);

  layout->addWidget(new QLabel(QStringLiteral("Model:"), this));
  variants_ = new QButtonGroup(this);
  for (std::size_t i = 0; i < VariantOptions.size(); ++i) {
    auto* option = new QRadioButton(QString::fromLatin1(VariantOptions[i].caption), this);
    option->setObjectName(QStringLiteral("variantOption_") +
                          VariantName(VariantOptions[i].variant));
    variants_->addButton(option, static_cast<int>(i));
    layout->addWidget(option);
  }
  variants_->button(0)->setChecked(true);
  layout->addSpacing(12);

  auto* bar = new PressableProgressBar(this);
  bar->setObjectName(QStringLiteral("transferProgress"));
  bar->setTextVisible(false);
  bar->setRange(0, 100);
  bar->setValue(0);
  bar->setToolTip(QStringLiteral("Click to reset the receiver"));
  connect(bar, &PressableProgressBar::pressed, this, &TransferBar::resetRequested);
  bar_ = bar;
  layout->addWidget(bar_, 1);

  percentage_ = new QLineEdit(QStringLiteral("0%"), this);
  percentage_->setObjectName(QStringLiteral("progressPercentage"));
  percentage_->setReadOnly(true);
  percentage_->setFocusPolicy(Qt::NoFocus);
  percentage_->setAlignment(Qt::AlignRight);
  percentage_->setFixedWidth(TwipsToPixels(PercentageWidthTwips, *this));
  layout->addWidget(percentage_);

  cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  cancel_->setObjectName(QStringLiteral("cancelTransferButton"));
  cancel_->setEnabled(false);
  connect(cancel_, &QPushButton::clicked, this, &TransferBar::cancelRequested);
  layout->addWidget(cancel_);

  // A sign rather than a control: it only shows that the receiver is busy.
  wait_ = new QPushButton(QStringLiteral("WAIT"), this);
  wait_->setObjectName(QStringLiteral("waitSign"));
  wait_->setFocusPolicy(Qt::NoFocus);
  wait_->setStyleSheet(QStringLiteral("font-weight: bold; color: #b00000;"));
  wait_->hide();
  layout->addWidget(wait_);
}

Variant TransferBar::variant() const {
  const int checked = variants_->checkedId();
  return checked >= 0 ? VariantOptions[static_cast<std::size_t>(checked)].variant : Variant::K;
}

void TransferBar::setProgress(int value, int maximum) {
  bar_->setRange(0, std::max(maximum, 1));
  bar_->setValue(value);
  const int percent = maximum > 0 ? static_cast<int>(qint64{value} * 100 / maximum) : 0;
  percentage_->setText(QString::number(percent) + u'%');
}

void TransferBar::setWaiting(bool waiting) {
  wait_->setVisible(waiting);
}

void TransferBar::setCancelEnabled(bool enabled) {
  cancel_->setEnabled(enabled);
}

void TransferBar::setSessionActive(bool active) {
  for (QAbstractButton* option : variants_->buttons()) option->setEnabled(!active);
  cancel_->setEnabled(active);
  setProgress(0, 100);
  setWaiting(false);
}

}  // namespace rqm27

#include "transfer_bar.moc"
