#include "app/channel_editing.h"

#include "grid/channel_edit.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace rqm27 {

bool EditChannels(CloneImage& image, int slot, bool navigate, bool railwaysVisible,
                  UserDialogs& dialogs, const ChannelEditingViews& views) {
  bool changed = false;
  std::optional<int> row = EditableRow(slot);
  while (row) {
    DetailFormState form = FillDetailForm(image, *row);
    const int lastRow = form.pair ? *row + 1 : *row;
    for (int r = *row; r <= lastRow; ++r) {
      auto& caption = form.sets[static_cast<std::size_t>(r - *row)].caption;
      caption = views.rowLabels.value(r - 1, caption);
    }
    if (views.opening) views.opening(*row);

    const ChannelEditBuffer buffer = dialogs.editChannel(form, railwaysVisible);
    if (buffer.confirmed) {
      const std::vector<ChannelSlot> before(image.channels.begin() + (*row - 1),
                                            image.channels.begin() + lastRow);
      CommitEdit(image, buffer, *row);
      if (!std::equal(before.begin(), before.end(), image.channels.begin() + (*row - 1))) {
        changed = true;
      }
      if (views.committed) views.committed(*row, lastRow);
    }
    if (!navigate) break;
    row = NavigationTarget(*row, buffer.editNavigate);
  }
  return changed;
}

}  // namespace rqm27
