#include "widgets/fill_dialog.h"

#include "model/channel_text.h"
#include "widgets/named_button.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace rqm27 {

namespace {

// Megahertz as ParseMegahertz reads them, with an optional minus sign in front.
std::optional<std::int32_t> ParseSignedMegahertz(QStringView text) {
  text = text.trimmed();
  const bool negative = text.startsWith(u'-');
  const std::optional<std::int32_t> size = ParseMegahertz(negative ? text.mid(1) : text);
  if (!size) return std::nullopt;
  return negative ? -*size : *size;
}

QLineEdit* MegahertzEdit(const char* name, const QString& text, QWidget* parent) {
  auto* edit = new QLineEdit(text, parent);
  edit->setObjectName(QLatin1StringView(name));
  return edit;
}

}  // namespace

FillDialog::FillDialog(int rows, std::int32_t start, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("fillDialog"));
  setWindowTitle(QStringLiteral("Fill frequencies"));
  auto* layout = new QVBoxLayout(this);
  auto* intro = new QLabel(
      QStringLiteral("Give the %1 selected rows the frequencies start, start + increment, ... "
                     "(megahertz; a negative increment counts down).")
          .arg(rows),
      this);
  intro->setWordWrap(true);
  layout->addWidget(intro);
  start_ = MegahertzEdit("fillStartEdit", MegahertzText(start).chopped(3), this);
  increment_ = MegahertzEdit("fillIncrementEdit", QStringLiteral("0.0125"), this);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("&Start (MHz):"), start_);
  form->addRow(QStringLiteral("&Increment (MHz):"), increment_);
  layout->addLayout(form);

  fill_ = AddAcceptButtons(*this, *layout, QStringLiteral("&Fill"), "fillButton");
  for (QLineEdit* edit : {start_, increment_}) {
    connect(edit, &QLineEdit::textChanged, this,
            [this] { fill_->setEnabled(choice().has_value()); });
  }
}

std::optional<FillChoice> FillDialog::choice() const {
  const std::optional<std::int32_t> start = ParseMegahertz(start_->text().trimmed());
  const std::optional<std::int32_t> increment = ParseSignedMegahertz(increment_->text());
  if (!start || !increment) return std::nullopt;
  return FillChoice{*start, *increment};
}

std::optional<FillChoice> AskFill(int rows, std::int32_t start, QWidget* parent) {
  FillDialog dialog(rows, start, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.choice();
}

}  // namespace rqm27
