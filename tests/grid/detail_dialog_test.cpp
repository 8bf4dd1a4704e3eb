#include "grid/detail_dialog.h"

#include "app/qstring_print.h"
#include "model/clone_image.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace rqm27 {
namespace {

template <typename T>
T* Find(const QWidget& dialog, const char* name) {
  T* widget = dialog.findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(widget, nullptr) << name;
  return widget;
}

QLineEdit* Field(const QWidget& dialog, const char* name) {
  return Find<QLineEdit>(dialog, name);
}

void Click(const QWidget& dialog, const char* name) {
  QPushButton* button = Find<QPushButton>(dialog, name);
  ASSERT_NE(button, nullptr);
  QTest::mouseClick(button, Qt::LeftButton);
}

// Shows the dialog as the active window so that focus changes reach its fields.
void ShowActive(QDialog& dialog) {
  dialog.show();
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
}

DetailFormState SingleChannel() {
  CloneImage image = StartupImage();
  ChannelSlot& slot = image.slot(5);
  slot.used = true;
  slot.setCell(FrequencyColumn, "145.00000MHz");
  slot.setCell(ModeColumn, "AM");
  slot.setStep(3);
  slot.setCell(ShiftColumn, "+");
  slot.setCell(ShiftFreqColumn, "0.60000MHz");
  slot.setCell(NameColumn, "OLD");
  return FillDetailForm(image, 5);
}

DetailFormState Pair() {
  CloneImage image = StartupImage();
  image.slot(1301).setCell(FrequencyColumn, "145.00000MHz");
  image.slot(1302).setCell(FrequencyColumn, "433.50000MHz");
  image.slot(1302).setCell(ModeColumn, "USB");  // no such option in the second set
  image.slot(1302).setCell(ShiftFreqColumn, "1.25000MHz");
  image.slot(1302).setCell(NameColumn, "SUB");
  return FillDetailForm(image, 1301);
}

TEST(DetailDialog, ControlsCarryTheirNamesAndCaptions) {
  const DetailDialog dialog(Pair(), true);
  EXPECT_EQ(dialog.objectName(), "Form2");
  EXPECT_EQ(dialog.windowTitle(), "Memory Setting");

  const struct {
    const char* name;
    const char* text;
  } buttons[] = {
      {"DETAIL_ENTER", "OK"},         {"DETAIL_CANCEL", "Cancel"}, {"cmdBack", "   PREV.     <<"},
      {"cmdNext", "   NEXT      >>"}, {"DETAIL_CLEAR_2", "Clear"}, {"DETAIL_MODE_2", "NFM"},
      {"DETAIL_MODE_2_3", "WFM"},     {"DETAIL_STEP_18", "1K"},    {"DETAIL_STEP_2_15", "1MHz"},
      {"PALSE_TYPE_1", "RAILWAYS"},   {"PALSE_TYPE_2_5", "DCS"},   {"DETAIL_SHIFT_0", "OFF"},
      {"DETAIL_SHIFT_2_2", "-"},      {"DETAIL_SKIP_2", "Skip"},
  };
  for (const auto& b : buttons) {
    if (auto* button = Find<QAbstractButton>(dialog, b.name)) {
      EXPECT_EQ(button->text(), b.text) << b.name;
    }
  }
  for (const char* missing : {"DETAIL_MODE_7", "DETAIL_MODE_2_4", "DETAIL_STEP_2_16"}) {
    EXPECT_EQ(dialog.findChild<QWidget*>(missing), nullptr) << missing;
  }
  const struct {
    const char* name;
    int count;
    const char* first;
  } lists[] = {
      {"RX_TONE_COMBO_2", 39, "67.0Hz"}, {"DCS_COMBO", 104, "023"}, {"TRAIN_COMBO", 29, "300Hz"}};
  for (const auto& l : lists) {
    if (auto* list = Find<QComboBox>(dialog, l.name)) {
      EXPECT_EQ(list->count(), l.count) << l.name;
      EXPECT_EQ(list->itemText(0), l.first) << l.name;
    }
  }
  QStringList labels;
  for (const QLabel* label : dialog.findChildren<QLabel*>()) labels << label->text();
  for (const char* caption : {"Offset by:", "ＮＡＭＥ", "NAME", "Carrier Tone (Railways)",
                              "Dual0(Main) ", "Dual0(Sub) "}) {
    EXPECT_TRUE(labels.contains(QString::fromUtf8(caption))) << caption;
  }
}

TEST(DetailDialog, SecondSetShowsOnlyForAPairAndRailwaysOnlyWhenAsked) {
  const struct {
    bool pair;
    bool railways;
  } cases[] = {{false, false}, {false, true}, {true, false}, {true, true}};
  for (const auto& c : cases) {
    DetailDialog dialog(c.pair ? Pair() : SingleChannel(), c.railways);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(Field(dialog, "DETAIL_FREQ_1_2")->isVisible(), c.pair) << c.pair;
    EXPECT_EQ(Find<QWidget>(dialog, "DETAIL_STEP_2_0")->isVisible(), c.pair) << c.pair;
    EXPECT_TRUE(Field(dialog, "DETAIL_FREQ_1")->isVisible());
    EXPECT_EQ(Find<QWidget>(dialog, "PALSE_TYPE_1")->isVisible(), c.railways) << c.railways;
    EXPECT_EQ(Find<QWidget>(dialog, "TRAIN_COMBO")->isVisible(), c.railways) << c.railways;
    EXPECT_EQ(Find<QWidget>(dialog, "PALSE_TYPE_2_1")->isVisible(), c.pair && c.railways);
    EXPECT_TRUE(Find<QWidget>(dialog, "PALSE_TYPE_0")->isVisible());
    if (c.pair) {
      // Both sets side by side.
      QLineEdit* first = Field(dialog, "DETAIL_NAME");
      EXPECT_LT(first->mapTo(&dialog, QPoint(first->width(), 0)).x(),
                Field(dialog, "DETAIL_NAME_2")->mapTo(&dialog, QPoint()).x());
    }
  }
}

TEST(DetailDialog, ControlsShowTheFilledForm) {
  for (const DetailFormState& form : {SingleChannel(), Pair()}) {
    const DetailDialog dialog(form, true);
    EXPECT_EQ(dialog.formState(), form);
  }
  const DetailDialog dialog(Pair(), true);
  EXPECT_EQ(Field(dialog, "DETAIL_FREQ_2_2")->text(), "50000");
  EXPECT_EQ(Field(dialog, "DETAIL_SHIFT_FREQ_2_2")->text(), "250");
  EXPECT_EQ(Field(dialog, "DETAIL_NAME_2")->text(), "SUB");
  for (const char* option :
       {"DETAIL_MODE_2_0", "DETAIL_MODE_2_1", "DETAIL_MODE_2_2", "DETAIL_MODE_2_3"}) {
    EXPECT_FALSE(Find<QRadioButton>(dialog, option)->isChecked()) << option;
  }
}

TEST(DetailDialog, ClosingButtonsAndKeys) {
  const struct {
    const char* button;  // nullptr: a key
    Qt::Key key;
    bool confirmed;
    int navigate;
  } cases[] = {
      {"DETAIL_ENTER", Qt::Key_unknown, true, 0}, {"cmdNext", Qt::Key_unknown, true, 1},
      {"cmdBack", Qt::Key_unknown, true, 2},      {"DETAIL_CANCEL", Qt::Key_unknown, false, 0},
      {nullptr, Qt::Key_Return, true, 0},         {nullptr, Qt::Key_Escape, false, 0},
  };
  for (const auto& c : cases) {
    DetailDialog dialog(SingleChannel(), true);
    ShowActive(dialog);
    QLineEdit* megahertz = Field(dialog, "DETAIL_FREQ_1");
    EXPECT_EQ(QApplication::focusWidget(), megahertz) << "focus when it opens";
    megahertz->selectAll();
    QTest::keyClicks(megahertz, "1x2345");
    EXPECT_EQ(megahertz->text(), "1234");
    Field(dialog, "DETAIL_FREQ_2")->clear();
    QTest::keyClicks(Field(dialog, "DETAIL_FREQ_2"), "567890");
    if (c.button) {
      Click(dialog, c.button);
    } else {
      QTest::keyClick(megahertz, c.key);
    }
    EXPECT_FALSE(dialog.isVisible()) << (c.button ? c.button : "key");
    const ChannelEditBuffer buffer = dialog.result();
    EXPECT_EQ(buffer.confirmed, c.confirmed) << (c.button ? c.button : "key");
    EXPECT_EQ(buffer.editNavigate, c.navigate) << (c.button ? c.button : "key");
    EXPECT_EQ(buffer.editResult, c.confirmed ? 100 : 0) << (c.button ? c.button : "key");
    EXPECT_EQ(buffer.slotA, 4);
    if (c.confirmed) {
      EXPECT_EQ(buffer.channels[0].frequency, "1234.56789");
      // 56789 is no whole number of 10, 5 or 6.25 kHz steps.
      EXPECT_EQ(buffer.channels[0].stepText, "50Hz");
    }
  }
}

TEST(DetailDialog, LeavingTheOffsetFieldsNormalisesThem) {
  DetailDialog dialog(Pair(), true);
  ShowActive(dialog);
  const struct {
    const char* megahertzField;
    const char* digitsField;
    const char* typedMegahertz;
    const char* typedDigits;
    const char* megahertz;
    const char* digits;
  } cases[] = {
      {"DETAIL_SHIFT_FREQ_1", "DETAIL_SHIFT_FREQ_2", "999", "99999", "999", "99995"},
      {"DETAIL_SHIFT_FREQ_1", "DETAIL_SHIFT_FREQ_2", "007", "6", "7", "60000"},
      {"DETAIL_SHIFT_FREQ_1_2", "DETAIL_SHIFT_FREQ_2_2", "999", "999", "999", "995"},
      {"DETAIL_SHIFT_FREQ_1_2", "DETAIL_SHIFT_FREQ_2_2", "", "12", "0", "120"},
  };
  QWidget* elsewhere = Field(dialog, "DETAIL_NAME");
  for (const auto& c : cases) {
    QLineEdit* megahertz = Field(dialog, c.megahertzField);
    QLineEdit* digits = Field(dialog, c.digitsField);
    megahertz->clear();
    digits->clear();
    megahertz->setFocus();
    QTest::keyClicks(megahertz, c.typedMegahertz);
    digits->setFocus();
    EXPECT_EQ(megahertz->text(), c.megahertz) << c.typedMegahertz;
    QTest::keyClicks(digits, c.typedDigits);
    EXPECT_EQ(digits->text(), c.typedDigits) << "not before the field is left";
    elsewhere->setFocus();
    EXPECT_EQ(digits->text(), c.digits) << c.typedDigits;
  }

  // Enter confirms from inside an offset field as though it had been left.
  QLineEdit* digits = Field(dialog, "DETAIL_SHIFT_FREQ_2");
  digits->setFocus();
  digits->clear();
  QTest::keyClicks(digits, "5");
  QTest::keyClick(digits, Qt::Key_Return);
  EXPECT_EQ(dialog.result().channels[0].shiftFrequency, "7.50000");
  EXPECT_EQ(dialog.result().channels[1].shiftFrequency, "0.120");
}

TEST(DetailDialog, NameKeepsToSixteenBytesAndRefusesPaste) {
  DetailDialog dialog(SingleChannel(), true);
  ShowActive(dialog);
  QLineEdit* name = Field(dialog, "DETAIL_NAME");
  name->setFocus();
  name->clear();
  QTest::keyClicks(name, "ABCDEFGHIJKLMNOPQ");
  EXPECT_EQ(name->text(), "ABCDEFGHIJKLMNOP");

  const auto typeCharacter = [&](const QString& character) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, character);
    QApplication::sendEvent(name, &press);
  };
  name->setText("ABCDEFGHIJKLMNO");  // 15 bytes
  typeCharacter(QStringLiteral("あ"));
  EXPECT_EQ(name->text(), "ABCDEFGHIJKLMNO");

  // A selected part is replaced, so typing over it stays within the limit.
  name->setText("ABCDEFGHIJKLMNOP");
  name->setSelection(0, 2);
  typeCharacter(QStringLiteral("あ"));
  EXPECT_EQ(name->text(), QStringLiteral("あCDEFGHIJKLMNOP"));

  name->setText("AB");
  name->setCursorPosition(2);
  QApplication::clipboard()->setText("CDEFGHIJKLMNOPQRSTUVWXYZ");
  QTest::keyClick(name, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(name->text(), "AB");

  QTest::keyClick(name, Qt::Key_Backspace);
  EXPECT_EQ(name->text(), "A");

  // A digit field takes a paste, cut to its length.
  QLineEdit* digits = Field(dialog, "DETAIL_FREQ_2");
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
    EXPECT_EQ(combo->currentIndex(), before + 1) << list << ": chosen with the arrow keys";
  }
}

TEST(DetailDialog, ClearResetsOnlyItsOwnSet) {
  DetailDialog dialog(Pair(), true);
  ShowActive(dialog);
  Find<QComboBox>(dialog, "TX_TONE_COMBO_2")->setCurrentIndex(30);
  Find<QComboBox>(dialog, "TRAIN_COMBO_2")->setCurrentIndex(2);
  Find<QRadioButton>(dialog, "DETAIL_STEP_2_9")->click();
  Find<QCheckBox>(dialog, "DETAIL_SKIP_2")->setChecked(true);
  const DetailSetState first = dialog.formState().sets[0];

  Click(dialog, "DETAIL_CLEAR_2");

  const DetailFormState after = dialog.formState();
  EXPECT_EQ(after.sets[0], first);
  const DetailSetState cleared{.caption = "Dual0(Sub) ",
                               .frequencyMegahertz = "",
                               .frequencyDigits = "",
                               .mode = 0,
                               .step = 0,
                               .subtone = 0,
                               .shift = 0,
                               .offsetMegahertz = "",
                               .offsetDigits = "",
                               .txTone = 8,
                               .rxTone = 8,
                               .dcs = 0,
                               .carrier = 28,
                               .skip = false,
                               .name = ""};
  EXPECT_EQ(after.sets[1], cleared);

  // With the Sub emptied the pair writes the Main only.
  Click(dialog, "DETAIL_ENTER");
  const ChannelEditBuffer buffer = dialog.result();
  EXPECT_EQ(buffer.editResult, 2);
  EXPECT_TRUE(buffer.used[0]);
  EXPECT_FALSE(buffer.used[1]);
  EXPECT_EQ(buffer.slotA, 1300);
  EXPECT_EQ(buffer.slotB, 1301);
}

}  // namespace
}  // namespace rqm27
