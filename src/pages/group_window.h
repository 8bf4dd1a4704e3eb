// The bank-link window: one row per group, one cell per bank; a blue cell is a member, a black
// one is not, and a grey one is a bank without channels, which cannot join a group. Like a
// dialog with OK, it edits a copy of the image's groups: a click toggles a membership and
// "Clear" empties every group in the copy; OK and "Write" put the copy into the image, and
// Cancel, Esc and the close box leave the image as it was. "Read" takes the receiver's groups
// into the image and the copy alike.
#pragma once

#include "model/bank_links.h"
#include "pages/page_host.h"

#include <QDialog>

class QLayout;
class QTableWidget;

namespace rqm27 {

class GroupWindow : public QDialog, public ImageView {
  Q_OBJECT

 public:
  // The window registers itself with the host to be locked during transfers.
  explicit GroupWindow(PageHost& host, QWidget* parent = nullptr);

  void showImage() override;

  // Where the grid shows group g (0-10) and bank b (0-49): the banks in blocks of ten, with
  // an empty column between two blocks and the group names in column 0.
  static constexpr int GroupRow(int group) { return group; }
  static constexpr int BankColumn(int bank) { return bank + 1 + bank / 10; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void buildGrid();
  QLayout* buildCaptions();
  QLayout* buildButtons();
  // Starts the copy afresh from these groups, the image's.
  void takeGroups(const BankLinks& links);
  void paintCells();
  void toggleCell(int row, int column);
  // Puts the copy into the image as the records are written: members only among banks with
  // channels, fixed tails.
  void collectGroups();
  void clearGroups();
  void readGroups();
  void writeGroups();

  PageHost& host_;
  // The groups being edited, and the image's groups they were copied from.
  BankLinks links_{};
  BankLinks taken_{};
  QTableWidget* grid_ = nullptr;
  int groupColumnWidth_ = 0;
  int bankColumnWidth_ = 0;
};

}  // namespace rqm27
