#include "app/channel_editing.h"

#include "widgets/channel_edit.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace rqm27 {

bool EditChannels(Document& document, int slot, bool navigate, bool railwaysVisible,
                  UserDialogs& dialogs, const ChannelEditingViews& views) {
  bool changed = false;
  std::optional<int> row = EditableRow(slot);
  while (row) {
    DetailFormState form = FillDetailForm(document.image(), *row);
    const int lastRow = form.pair ? *row + 1 : *row;
    for (int r = *row; r <= lastRow; ++r) {
      auto& caption = form.sets[static_cast<std::size_t>(r - *row)].caption;
      caption = views.rowLabels.value(r - 1, caption);
    }
    if (views.opening) views.opening(*row);

    const ChannelEditBuffer buffer = dialogs.editChannel(form, railwaysVisible);
    if (buffer.confirmed) {
      const QString text = QStringLiteral("Edit %1").arg(form.sets[0].caption.trimmed());
      const int editedRow = *row;
      changed =
          document.edit(text, [&](CloneImage& image) { CommitEdit(image, buffer, editedRow); }) ||
          changed;
    }
    if (!navigate) break;
    row = NavigationTarget(*row, buffer.editNavigate);
  }
  return changed;
}

}  // namespace rqm27
