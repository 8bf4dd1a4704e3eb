// The pages inside the main window: the tab switch and its bank question, the row labels that
// follow the bank table, and page transfers with the window and its side windows locked.
#include "app/window_fixture.h"

#include "codec/bank_links_area.h"

#include <QComboBox>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

class PagesInWindow : public testing::WindowTest {
 protected:
  // Types a bank count into its edit and applies it with Enter.
  static void setBankCount(const MainWindow& window, int bank, int count) {
    auto* edit = window.findChild<QLineEdit*>(QStringLiteral("bankCountEdit_%1").arg(bank));
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QString::number(count));
    QTest::keyClick(edit, Qt::Key_Return);
  }

  std::shared_ptr<ReceiverSimulator> receiver = std::make_shared<ReceiverSimulator>(DemoMemory());
};

// The row labels follow a table edited on the Bank page when the Memory page is shown again; one
// that does not add up leaves them, and leaving the Bank page with it asks to reset it first.
TEST_F(PagesInWindow, RowLabelsFollowTheBankTableAndAWrongTotalAsksFirst) {
  const auto window = makeWindow();
  QTabWidget* strip = tabs(*window);
  strip->setCurrentIndex(1);
  setBankCount(*window, 0, 50);
  setBankCount(*window, 12, 50);
  EXPECT_EQ(cell(*window, 51, 0), "Bank00-050") << "labels wait for the Memory page";
  strip->setCurrentIndex(0);
  EXPECT_TRUE(script->confirmations.empty());
  EXPECT_EQ(cell(*window, 51, 0), "Bank01-000");
  EXPECT_EQ(cell(*window, 1200, 0), "Bank12-049");
  window->editImage("test edit", [](CloneImage& image) { image.banks.counts[0] = 49; });
  EXPECT_EQ(cell(*window, 50, 0), "Bank00-049");

  strip->setCurrentIndex(1);
  script->confirmAnswer = false;
  strip->setCurrentIndex(0);
  ASSERT_EQ(script->confirmations.size(), 1u);
  EXPECT_EQ(strip->currentIndex(), 1) << "Cancel stays on the bank page";
  EXPECT_EQ(window->image().banks.total(), 1199) << "and keeps the table";
  script->confirmAnswer = true;
  strip->setCurrentIndex(0);
  EXPECT_EQ(strip->currentIndex(), 0);
  EXPECT_EQ(window->image().banks, BankTable::Defaults());
  EXPECT_EQ(cell(*window, 1200, 0), "Bank11-099");
}

// The image but the settings area, which a settings transfer reads afresh.
CloneImage WithoutSettingsArea(CloneImage image) {
  image.settingsImage = {};
  return image;
}

// Each page's Write button sends its part of the image and its Read button brings the
// receiver's back into that part alone, with the window and its side windows locked meanwhile.
TEST_F(PagesInWindow, PageTransfersSendAndBringBackTheirPartWithTheWindowLocked) {
  const auto window = simulatedWindow(receiver);
  const struct {
    int tab;
    const char *opener, *sideWindow;  // the button that opens the side window the buttons are on
    const char *write, *read;
    std::function<void(CloneImage&)> change;
  } cases[] = {
      {1, nullptr, nullptr, "writeTableButton", "readTableButton",
       [](CloneImage& image) { image.banks.counts[1] = 30, image.banks.counts[33] = 70; }},
      {1, "groupWindowButton", "groupWindow", "writeGroupsButton", "readGroupsButton",
       [](CloneImage& image) { SetGroupMember(image.bankLinks[4], 3, true); }},
      {2, nullptr, nullptr, "writeOneTouchButton", "readOneTouchButton",
       [](CloneImage& image) {
         image.oneTouch[1] = image.oneTouch[8] = {true, 3, 12};
       }},
      {2, nullptr, nullptr, "settingWriteButton", "settingReadButton",
       [](CloneImage& image) { image.settings.at(SettingsList::Misc, 1) = 17; }},
      {3, nullptr, nullptr, "setModeWriteButton", "setModeReadButton",
       [](CloneImage& image) {
         image.settings.at(SettingsList::Sound, 1) = 2;
         image.title = NameFromText(u"HI");
       }},
      // The icon editor opens on icon 0; only the icon shown goes either way.
      {2, "iconEditorButton", "iconEditor", "writeShownIconButton", "readShownIconButton",
       [](CloneImage& image) { image.icons[0][2][3] = 1; }},
      {2, "iconEditorButton", "iconEditor", "writeAllIconsButton", "readAllIconsButton",
       [](CloneImage& image) {
         for (std::size_t n = 0; n < IconCount; ++n) image.icons[n][n][2 * n] = 1;
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.write);
    window->replaceImage(StartupImage());
    tabs(*window)->setCurrentIndex(c.tab);
    window->editImage("test edit", c.change);
    if (c.opener) click(*window, c.opener);
    QWidget* buttons = c.sideWindow ? find<QWidget>(*window, c.sideWindow) : window.get();
    bool locked = false;
    script->onMessage = [&](const Message&) {
      locked = !tabs(*window)->isEnabled() && !find<QWidget>(*buttons, c.write)->isEnabled();
    };
    const QByteArray held = receiver->memory();
    ASSERT_TRUE(runTransfer(*window, [&] { click(*buttons, c.write); }));
    ASSERT_NE(receiver->memory(), held);
    EXPECT_TRUE(locked);
    const CloneImage written = WithoutSettingsArea(window->image());
    window->replaceImage(StartupImage());
    ASSERT_NE(WithoutSettingsArea(window->image()), written);
    ASSERT_TRUE(runTransfer(*window, [&] { click(*buttons, c.read); }));
    EXPECT_EQ(WithoutSettingsArea(window->image()), written);
    // A bank table read relabels the rows at once.
    EXPECT_TRUE(c.tab != 1 || c.opener || cell(*window, 131, 0) == "Bank02-000");
    EXPECT_TRUE(tabs(*window)->isEnabled() && buttons->isEnabled());
    if (c.sideWindow) buttons->close();
  }
}

// The icon editor opens on the first icon each time; a page transfer that fails leaves the
// image as it was.
TEST_F(PagesInWindow, IconEditorOpensOnTheFirstIconAndAFailedReadChangesNothing) {
  const auto window = simulatedWindow(receiver);
  tabs(*window)->setCurrentIndex(2);
  click(*window, "iconEditorButton");
  QWidget* editor = find<QWidget>(*window, "iconEditor");
  click(*editor, "nextIconButton");
  editor->close();
  click(*window, "iconEditorButton");
  EXPECT_EQ(find<QComboBox>(*editor, "iconList")->currentText(), "0");

  click(*window, "variantOption_K");  // the receiver answers as another variant
  const CloneImage before = window->image();
  ASSERT_TRUE(runTransfer(*window, [&] { click(*editor, "readAllIconsButton"); }));
  EXPECT_EQ(script->messages.back().icon, MessageIcon::Critical);
  EXPECT_TRUE(script->messages.back().detail.contains("ZT~RQ-M27K"));
  EXPECT_TRUE(window->image() == before);
}

}  // namespace
}  // namespace rqm27
