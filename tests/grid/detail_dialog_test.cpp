#include "grid/detail_dialog.h"

#include "model/clone_image.h"
#include "support/qstring_print.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <tuple>

namespace rqm27 {
namespace {

template <typename T = QLineEdit>
T* Find(const QWidget& dialog, const char* name) {
  T* widget = dialog.findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(widget, nullptr) << name;
  return widget;
}

void ShowActive(QDialog& dialog) {
  dialog.show();
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
}

DetailFormState SingleChannel() {
  CloneImage image = StartupImage();
  image.slot(5).used = true;
  image.slot(5).frequency = 14500000;
  image.slot(5).name = NameFromText(u"OLD");
  return FillDetailForm(image, 5);
}

DetailFormState Pair() {
  CloneImage image = StartupImage();
  image.slot(1301).used = image.slot(1302).used = true;
  image.slot(1301).frequency = 14500000;
  image.slot(1302).frequency = 43350000;
  image.slot(1302).offset = 125000;
  image.slot(1302).name = NameFromText(u"SUB");
  return FillDetailForm(image, 1301);
}

TEST(DetailDialog, ShowsTheFormWithTheSecondSetForAPairAndRailwaysWhenAsked) {
  for (const auto& [pair, railways] : {std::pair{false, true}, {true, false}, {true, true}}) {
    const DetailFormState form = pair ? Pair() : SingleChannel();
    DetailDialog dialog(form, railways);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.formState(), form);
    EXPECT_EQ(Find(dialog, "DETAIL_FREQ_1_2")->isVisible(), pair);
    EXPECT_EQ(Find<QWidget>(dialog, "TRAIN_COMBO")->isVisible(), railways);
    EXPECT_EQ(Find<QWidget>(dialog, "PALSE_TYPE_2_1")->isVisible(), pair && railways);
  }
}

TEST(DetailDialog, ClosingButtonsAndKeys) {
  const std::tuple<const char*, Qt::Key, bool, int> cases[] = {
      {"DETAIL_ENTER", {}, true, 0},      {"cmdNext", {}, true, 1},
      {"cmdBack", {}, true, 2},           {"DETAIL_CANCEL", {}, false, 0},
      {nullptr, Qt::Key_Return, true, 0}, {nullptr, Qt::Key_Escape, false, 0}};
  for (const auto& [button, key, ok, navigate] : cases) {
    SCOPED_TRACE(button ? button : "key");
    DetailDialog dialog(SingleChannel(), true);
    ShowActive(dialog);
    QLineEdit* megahertz = Find(dialog, "DETAIL_FREQ_1");
    EXPECT_EQ(QApplication::focusWidget(), megahertz) << "focus when it opens";
    megahertz->selectAll();
    QTest::keyClicks(megahertz, "1x2345");
    EXPECT_EQ(megahertz->text(), "1234");
    Find(dialog, "DETAIL_FREQ_2")->clear();
    QTest::keyClicks(Find(dialog, "DETAIL_FREQ_2"), "567890");
    button ? QTest::mouseClick(Find<QPushButton>(dialog, button), Qt::LeftButton)
           : QTest::keyClick(megahertz, key);
    EXPECT_FALSE(dialog.isVisible());
    const ChannelEditBuffer buffer = dialog.result();
    EXPECT_EQ(buffer.confirmed, ok);
    EXPECT_EQ(buffer.editNavigate, navigate);
    EXPECT_EQ(buffer.channels[0].channel.frequency, ok ? 123456789 : 0);
  }
}

TEST(DetailDialog, LeavingAnOffsetFieldNormalisesIt) {
  DetailDialog dialog(Pair(), true);
  ShowActive(dialog);
  QLineEdit* megahertz = Find(dialog, "DETAIL_SHIFT_FREQ_1_2");
  QLineEdit* digits = Find(dialog, "DETAIL_SHIFT_FREQ_2_2");
  megahertz->setFocus();
  megahertz->clear();
  digits->setFocus();
  EXPECT_EQ(megahertz->text(), "0");
  digits->clear();
  QTest::keyClicks(digits, "12");
  EXPECT_EQ(digits->text(), "12") << "not before the field is left";
  Find(dialog, "DETAIL_NAME")->setFocus();
  EXPECT_EQ(digits->text(), "120");

  // Enter confirms from inside an offset field as though it had been left.
  Find(dialog, "DETAIL_SHIFT_FREQ_1")->setText("7");
  digits = Find(dialog, "DETAIL_SHIFT_FREQ_2");
  digits->setFocus();
  digits->clear();
  QTest::keyClicks(digits, "5");
  QTest::keyClick(digits, Qt::Key_Return);
  EXPECT_EQ(dialog.result().channels[0].channel.offset, 750000);
}

TEST(DetailDialog, NameKeepsToSixteenBytesAndRefusesPaste) {
  DetailDialog dialog(SingleChannel(), true);
  ShowActive(dialog);
  QLineEdit* name = Find(dialog, "DETAIL_NAME");
  name->setFocus();
  name->clear();
  QTest::keyClicks(name, "ABCDEFGHIJKLMNOPQ");
  EXPECT_EQ(name->text(), "ABCDEFGHIJKLMNOP");

  // Typing over a selection stays within the limit.
  name->setSelection(0, 2);
  QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("あ"));
  QApplication::sendEvent(name, &press);
  EXPECT_EQ(name->text(), QStringLiteral("あCDEFGHIJKLMNOP"));

  name->setText("AB");
  name->setCursorPosition(2);
  QApplication::clipboard()->setText("CD");
  QTest::keyClick(name, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(name->text(), "AB");

  // A digit field takes a paste, cut to its length.
  QLineEdit* digits = Find(dialog, "DETAIL_FREQ_2");
  digits->setFocus();
  digits->clear();
  QApplication::clipboard()->setText("1234567");
  QTest::keyClick(digits, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(digits->text(), "12345");
}

TEST(DetailDialog, ToneListsAreChosenNotTypedInto) {
  DetailDialog dialog(SingleChannel(), true);
  ShowActive(dialog);
  for (const char* list : {"TX_TONE_COMBO", "RX_TONE_COMBO", "DCS_COMBO"}) {
    auto* combo = Find<QComboBox>(dialog, list);
    const int before = combo->currentIndex();
    combo->setFocus();
    QTest::keyClicks(combo, "17");
    EXPECT_EQ(combo->currentIndex(), before) << list;
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(combo->currentIndex(), before + 1) << list;
  }
}

TEST(DetailDialog, ClearResetsOnlyItsOwnSet) {
  DetailDialog dialog(Pair(), true);
  ShowActive(dialog);
  Find<QComboBox>(dialog, "TX_TONE_COMBO_2")->setCurrentIndex(30);
  Find<QRadioButton>(dialog, "DETAIL_STEP_2_9")->click();
  Find<QCheckBox>(dialog, "DETAIL_SKIP_2")->setChecked(true);
  const DetailSetState first = dialog.formState().sets[0];

  QTest::mouseClick(Find<QPushButton>(dialog, "DETAIL_CLEAR_2"), Qt::LeftButton);

  EXPECT_EQ(dialog.formState().sets[0], first);
  DetailSetState cleared;
  cleared.caption = "Dual0(Sub) ";
  cleared.txTone = cleared.rxTone = 8;
  cleared.carrier = 28;
  EXPECT_EQ(dialog.formState().sets[1], cleared);
  QTest::mouseClick(Find<QPushButton>(dialog, "DETAIL_ENTER"), Qt::LeftButton);
  EXPECT_EQ(dialog.result().editResult, 2) << "the pair writes the Main only";
}

}  // namespace
}  // namespace rqm27
