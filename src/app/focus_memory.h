// Keeps the keyboard focus across a transfer. Locking a window disables the control that has the
// focus, and Qt moves the focus on or drops it; nothing brings it back when the window is
// unlocked, so keys such as Down, Enter and Delete would reach no control until one is clicked.
#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <utility>

namespace rqm27 {

class FocusMemory {
 public:
  // Where the focus goes in a window whose own control cannot take it back.
  using Fallback = std::function<QWidget*(QWidget* window)>;

  // Notes the control each window has focused (whether or not the window is active).
  void remember(const QList<QWidget*>& windows);
  // Gives each remembered window its control back, or, when that one is gone, hidden or
  // disabled, the control `fallback` names for the window.
  void restore(const Fallback& fallback);

 private:
  QList<std::pair<QPointer<QWidget>, QPointer<QWidget>>> focused_;
};

// Whether the control can take the keyboard focus now.
bool CanTakeFocus(const QWidget* control);

// The first control inside `root`, in the order Tab walks, that can take the focus; null when
// there is none.
QWidget* FirstFocusableControl(QWidget* root);

}  // namespace rqm27
