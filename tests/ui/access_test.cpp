// A game a screen reader can play, seen through Qt's accessibility
// interfaces: every control of every window has a name in the game's
// language, and the field's name follows the keyboard's cursor and tells
// what a move took. (The offscreen platform has no accessibility bridge, so
// the events a reader hears are not seen here; a real reader heard them.)

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QtTest>
#include <memory>

#include "config/string_ids.h"
#include "config/string_table.h"
#include "control/field_speech.h"
#include "control/ui/field_view.h"
#include "control/ui/keyboard_play.h"
#include "control/ui/ramp_view.h"
#include "control/ui/status_main.h"
#include "control/ui/tfrm_game.h"
#include "control/ui/tool_button.h"
#include "ui/window_fixture.h"

using namespace pebble;
using namespace pebble::ui;
using namespace pebble::testing;

namespace {

QString AccessibleName(QObject* object) {
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
  return iface ? iface->text(QAccessible::Name) : QString();
}

// The controls a player works or reads, as Qt's accessibility sees them.
bool IsControl(const QWidget* w) {
  return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QComboBox*>(w) ||
         qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QLineEdit*>(w) ||
         qobject_cast<const StatusMain*>(w) || qobject_cast<const FieldView*>(w) || qobject_cast<const RampView*>(w);
}

// Every shown control of every window of the program without a name.
QStringList UnnamedControls() {
  QStringList unnamed;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (!window->isVisible()) continue;
    for (QWidget* w : window->findChildren<QWidget*>()) {
      if (!w->isVisibleTo(window) || !IsControl(w)) continue;
      // A spin box's own line edit is named through its box.
      if (qobject_cast<QLineEdit*>(w) && qobject_cast<QAbstractSpinBox*>(w->parentWidget())) continue;
      if (AccessibleName(w).trimmed().isEmpty())
        unnamed << QString("%1 %2 in %3").arg(w->metaObject()->className(), w->objectName(), window->objectName());
    }
  }
  return unnamed;
}

QString Str(int id, int language) { return QString::fromStdString(Text(id, language)); }

}  // namespace

class AccessTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<WindowHome> home_;

  void OpenHome(int language) {
    home_ = std::make_unique<WindowHome>(language);
    ProgramRandom().SetFixedSeed(20261211);
  }

  void Press(QWidget* w, int key) { QTest::keyClick(w, static_cast<Qt::Key>(key)); }

 private slots:
  void cleanup() { home_.reset(); }

  void everyControlHasANameInTheGamesLanguage_data() {
    QTest::addColumn<int>("language");
    QTest::newRow("German") << kGermanOffset;
    QTest::newRow("English") << kEnglishOffset;
    QTest::newRow("French") << kFrenchOffset;
  }

  void everyControlHasANameInTheGamesLanguage() {
    QFETCH(int, language);
    OpenHome(language);
    auto w = OpenWindow(home_->Store(), {"autodrop:yes", "columns:12", "sounds:no"});
    QTRY_VERIFY(w->CountDown());
    w->bttCfgClick();
    w->bttInfoClick();
    w->bttAboutClick();
    w->ShowHints();
    QApplication::processEvents();
    const QStringList unnamed = UnnamedControls();
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join("; ")));

    // The game's own controls speak its language, and say what they do.
    QCOMPARE(AccessibleName(w->Button(bttNew)), Str(kMenuNewGame, language));
    QCOMPARE(w->Button(bttUndo)->accessibleDescription(), Str(kUndoHint, language));
    QCOMPARE(AccessibleName(w->statusMain()), Str(kStatusBarName, language));
    QCOMPARE(AccessibleName(w->imgRamp()), Str(kRampName, language));
    QVERIFY(AccessibleName(w->imgMain()).startsWith(Str(kFieldName, language)));
    QVERIFY(w->statusMain()->accessibleDescription().contains(
        QString::fromStdString(FormatText(kLeftFigure, language, {std::to_string(w->GetGame().Counters().StonesLeft)}))));
    QAccessibleInterface* field = QAccessible::queryAccessibleInterface(w->imgMain());
    QCOMPARE(field->role(), QAccessible::Graphic);
    QCOMPARE(field->text(QAccessible::Description), Str(kFieldDescription, language));

    // The command menu's entries read as their texts, keys included.
    QMenu* menu = w->CommandMenu();
    for (QAction* action : menu->actions())
      if (!action->isSeparator()) QVERIFY2(!action->text().isEmpty(), "a menu entry without a text");
  }

  void aLanguageChangeRenamesTheControls() {
    OpenHome(kEnglishOffset);
    auto w = OpenWindow(home_->Store(), {"sounds:no"});
    w->GetGame().MutableSettings().languageOffset = kFrenchOffset;
    w->LanguageChanged();
    QApplication::processEvents();
    QCOMPARE(AccessibleName(w->Button(bttHelp)), Str(kMenuHelp, kFrenchOffset));
    QVERIFY(AccessibleName(w->imgMain()).startsWith(Str(kFieldName, kFrenchOffset)));
  }

  void theFieldsNameFollowsTheCursorAndTellsTheMove_data() { everyControlHasANameInTheGamesLanguage_data(); }

  void theFieldsNameFollowsTheCursorAndTellsTheMove() {
    QFETCH(int, language);
    OpenHome(language);
    auto w = OpenWindow(home_->Store(), {"animations:no", "sounds:no"});
    const Game& game = w->GetGame();
    const Field& field = game.GetField();

    // The first arrow key shows the cursor; every step after it names the new cell.
    for (int key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Down}) {
      Press(w.get(), key);
      const std::int32_t at = w->Keyboard().Cursor().Index(field);
      const QString expected = QString::fromStdString(CellSpeech(game, at, language));
      QCOMPARE(AccessibleName(w->imgMain()), expected);
      QVERIFY(expected.contains(QString::fromStdString(StoneColorName(field[at].Color, language))));
      QVERIFY(expected.contains(QString::fromStdString(FormatText(
          kCellPosition, language, {std::to_string(field.CellPosition(at).row), std::to_string(field.CellPosition(at).column)}))));
    }

    // A move on a group: what went, and the new score.
    const std::int32_t target = FirstMovable(field);
    QVERIFY(target >= 0);
    const std::int32_t taken = game.GroupSize(target);
    const QString colour = QString::fromStdString(StoneColorName(field[target].Color, language));
    QTest::mouseClick(w->imgMain(), Qt::LeftButton, {}, CellCentre(field, target));
    const QString speech = AccessibleName(w->imgMain());
    QCOMPARE(speech.left(speech.indexOf(',')),
             QString::fromStdString(FormatText(kRemovedStones, language, {colour.toStdString(), std::to_string(taken)})));
    QVERIFY(speech.contains(QString::fromStdString(FormatText(kScoreFigure, language, {std::to_string(game.Score())}))));
  }

  void colourNamesOfTheClassicPaletteAreTheirOwn() {
    const char* english[] = {"red", "blue", "green", "orange", "silver", "olive", "lime", "teal",
                             "navy", "maroon", "yellow", "fuchsia", "purple", "aqua", "gray"};
    for (int i = 0; i < kMaxColors; ++i)
      QCOMPARE(QString::fromStdString(StoneColorName(kClassicPalette[static_cast<std::size_t>(i)], kEnglishOffset)),
               QString(english[i]));
    // A shade between names takes the nearest.
    QCOMPARE(QString::fromStdString(StoneColorName(0x1010E0, kGermanOffset)), QString("rot"));
  }
};

int main(int argc, char** argv) {
  Q_INIT_RESOURCE(pebbledrome);
  QApplication app(argc, argv);
  AccessTest test;
  return QTest::qExec(&test, argc, argv);
}
#include "access_test.moc"
