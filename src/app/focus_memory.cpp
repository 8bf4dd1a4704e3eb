#include "app/focus_memory.h"

namespace rqm27 {

void FocusMemory::remember(const QList<QWidget*>& windows) {
  focused_.clear();
  for (QWidget* window : windows) focused_.emplace_back(window, window->focusWidget());
}

void FocusMemory::restore(const Fallback& fallback) {
  for (const auto& [window, control] : std::as_const(focused_)) {
    if (!window) continue;
    QWidget* target = CanTakeFocus(control) ? control.data() : fallback(window);
    // The focus comes back as when the window is activated again, not as a choice of the
    // user's that a page would act on.
    if (target) target->setFocus(Qt::ActiveWindowFocusReason);
  }
  focused_.clear();
}

bool CanTakeFocus(const QWidget* control) {
  return control && control->isVisible() && control->isEnabled() &&
         (control->focusPolicy() & Qt::TabFocus);
}

QWidget* FirstFocusableControl(QWidget* root) {
  if (!root) return nullptr;
  for (QWidget* next = root->nextInFocusChain(); next != root; next = next->nextInFocusChain()) {
    if (root->isAncestorOf(next) && CanTakeFocus(next)) return next;
  }
  return nullptr;
}

}  // namespace rqm27
