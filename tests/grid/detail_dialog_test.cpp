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

// Slot 5 alone, or the pair 1301/1302 whose SUB channel has an offset and a name.
DetailFormState Form(bool pair) {
  CloneImage image = StartupImage();
  for (int slot : {5, 1301, 1302}) {
    image.slot(slot).used = true;
    image.slot(slot).frequency = slot == 1302 ? 43350000 : 14500000;
  }
  image.slot(1302).offset = 125000;
  image.slot(1302).name = NameFromText(u"SUB");
  return FillDetailForm(image, pair ? 1301 : 5);
}

TEST(DetailDialog, ShowsTheFormWithTheSecondSetForAPairAndRailwaysWhenAsked) {
  for (const auto& [pair, railways] : {std::pair{false, true}, {true, false}, {true, true}}) {
    const DetailFormState form = Form(pair);
    DetailDialog dialog(form, railways);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.formState(), form);
    EXPECT_EQ(Find(dialog, "frequencyMegahertzEdit_2")->isVisible(), pair);
    EXPECT_EQ(Find<QWidget>(dialog, "carrierList")->isVisible(), railways);
    EXPECT_EQ(Find<QWidget>(dialog, "subtoneOption_1_2")->isVisible(), pair && railways);
  }
}

TEST(DetailDialog, ClosingButtonsAndKeys) {
  const std::tuple<const char*, Qt::Key, bool, int> cases[] = {
      {"okButton", {}, true, 0},          {"nextButton", {}, true, 1},
      {"backButton", {}, true, 2},        {"cancelButton", {}, false, 0},
      {nullptr, Qt::Key_Return, true, 0}, {nullptr, Qt::Key_Escape, false, 0}};
  for (const auto& [button, key, ok, navigate] : cases) {
    SCOPED_TRACE(button ? button : "key");
    DetailDialog dialog(Form(false), true);
    ShowActive(dialog);
    QLineEdit* megahertz = Find(dialog, "frequencyMegahertzEdit");
    EXPECT_EQ(QApplication::focusWidget(), megahertz) << "focus when it opens";
    megahertz->selectAll();
    QTest::keyClicks(megahertz, "1x2345");
    EXPECT_EQ(megahertz->text(), "1234");
    Find(dialog, "frequencyDigitsEdit")->clear();
    QTest::keyClicks(Find(dialog, "frequencyDigitsEdit"), "567890");
    button ? QTest::mouseClick(Find<QPushButton>(dialog, button), Qt::LeftButton)
           : QTest::keyClick(megahertz, key);
    EXPECT_FALSE(dialog.isVisible());
    const ChannelEditBuffer buffer = dialog.result();
    EXPECT_EQ(buffer.confirmed, ok);
    EXPECT_EQ(buffer.editNavigate, navigate);
    EXPECT_EQ(buffer.channels[0].channel.frequency, ok ? 123456789 : 0);
  }
}

TEST(DetailDialog, FieldsTakeOnlyWhatTheReceiverHolds) {
  DetailDialog dialog(Form(true), true);
  ShowActive(dialog);
  QLineEdit* name = Find(dialog, "nameEdit");
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
  QLineEdit* digits = Find(dialog, "frequencyDigitsEdit");
  digits->setFocus();
  digits->clear();
  QApplication::clipboard()->setText("1234567");
  QTest::keyClick(digits, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(digits->text(), "12345");

  // The tone and DCS lists are chosen from, not typed into.
  for (const char* list : {"txToneList", "rxToneList", "dcsList"}) {
    auto* combo = Find<QComboBox>(dialog, list);
    const int before = combo->currentIndex();
    combo->setFocus();
    QTest::keyClicks(combo, "17");
    EXPECT_EQ(combo->currentIndex(), before) << list;
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(combo->currentIndex(), before + 1) << list;
  }

  // An offset field is normalised as it is left, and by Enter as though it had been.
  QLineEdit* megahertz = Find(dialog, "offsetMegahertzEdit_2");
  digits = Find(dialog, "offsetDigitsEdit_2");
  megahertz->setFocus();
  megahertz->clear();
  digits->setFocus();
  EXPECT_EQ(megahertz->text(), "0");
  digits->clear();
  QTest::keyClicks(digits, "12");
  EXPECT_EQ(digits->text(), "12") << "not before the field is left";
  Find(dialog, "nameEdit")->setFocus();
  EXPECT_EQ(digits->text(), "120");
  Find(dialog, "offsetMegahertzEdit")->setText("7");
  digits = Find(dialog, "offsetDigitsEdit");
  digits->setFocus();
  digits->clear();
  QTest::keyClicks(digits, "5");
  QTest::keyClick(digits, Qt::Key_Return);
  EXPECT_EQ(dialog.result().channels[0].channel.offset, 750000);
}

TEST(DetailDialog, ClearResetsOnlyItsOwnSet) {
  DetailDialog dialog(Form(true), true);
  ShowActive(dialog);
  Find<QComboBox>(dialog, "txToneList_2")->setCurrentIndex(30);
  Find<QRadioButton>(dialog, "stepOption_9_2")->click();
  Find<QCheckBox>(dialog, "skipCheckBox_2")->setChecked(true);
  const DetailSetState first = dialog.formState().sets[0];

  QTest::mouseClick(Find<QPushButton>(dialog, "clearSetButton_2"), Qt::LeftButton);

  EXPECT_EQ(dialog.formState().sets[0], first);
  DetailSetState cleared;
  cleared.caption = "Dual0(Sub) ";
  cleared.txTone = cleared.rxTone = 8;
  cleared.carrier = 28;
  EXPECT_EQ(dialog.formState().sets[1], cleared);
}

}  // namespace
}  // namespace rqm27
