// Where the next game comes from and which file the running one is tied to,
// without a window: the command line, a game file that is no game, saving and
// opening again, and what a new game forgets.

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "config/string_table.h"
#include "control/ui/game_session.h"
#include "engine/game.h"
#include "support/silent_host.h"
#include "ui/window_fixture.h"

namespace pebble::ui {
namespace {

using pebble::testing::ScriptedPrompter;
using pebble::testing::SilentHost;

constexpr int kEnglish = 1000;

}  // namespace

class GameSessionTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    home_ = std::make_unique<QTemporaryDir>();
    store_ = pebble::testing::StoreInHome(*home_);
    prompter_ = ScriptedPrompter();
    SetPrompter(&prompter_);
  }

  void cleanup() {
    SetPrompter(nullptr);
    store_.reset();
    home_.reset();
  }

  void aDealNumberOnTheCommandLineDealsTheFirstGameOnly() {
    GameSession session(*store_, {"deal:4242", "columns:9"});
    const GameSettings settings = session.ReadSettings();
    QCOMPARE(settings.columnCount, 9);
    QCOMPARE(session.TakeDeal(), std::optional<DealNumber>(4242));
    QCOMPARE(session.TakeDeal(), std::nullopt);
    session.ReadSettings();  // the next game
    QCOMPARE(session.TakeDeal(), std::nullopt);
  }

  // A file that is no game: the player is told, nothing is dealt from it,
  // and no offset of it is taken for a player history.
  void aFileThatIsNoGameTiesNothing() {
    const QString path = home_->filePath("not-a-game.clk");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("\x04\x00\x00\x00Word, and a letter in it", 28));  // a string, but not the game's mark
    file.close();
    GameSession session(*store_, {path.toStdString()});
    GameSettings settings = session.ReadSettings();
    QVERIFY(!session.ReadPendingGame(settings, nullptr, kEnglish));
    QCOMPARE(prompter_.said, QStringList{"error: " + QString::fromStdString(Text(108, kEnglish))});
    QVERIFY(!session.FileGame());
    QVERIFY(!session.Tie());
    QCOMPARE(session.PlayerHistoryOffset(), std::size_t{0});
    QVERIFY(!session.ReadPendingGame(settings, nullptr, kEnglish));  // asked once, read once
    QCOMPARE(prompter_.said.size(), 1);
  }

  // Saved, the game is tied to its file; opened again, the file deals the
  // same start; a new game keeps the file for the report but no tie.
  void aSavedGameOpensAsItStartedAndANewGameUntiesIt() {
    SilentHost host;
    GameRandom random;
    random.SetFixedSeed(7);
    Game game(host, random);
    GameSession session(*store_, {});
    GameSettings settings = session.ReadSettings();
    game.NewField(settings, {settings.columnCount, settings.rowCount}, 31);
    const std::vector<TStoneCell> start = game.StartPosition();
    const std::string path = home_->filePath("saved.clk").toStdString();

    QVERIFY(session.Save(game, path));
    QVERIFY(session.FileGame());
    const std::optional<SavedGameTie> tie = session.Tie();
    QVERIFY(tie);
    QCOMPARE(tie->fileName, PathFromUtf8(path));
    QVERIFY(tie->playerHistoryOffset > 0);
    QCOMPARE(tie->playerHistoryOffset, session.PlayerHistoryOffset());

    session.Forget();
    QVERIFY(!session.Tie());
    QCOMPARE(session.FileName(), PathFromUtf8(path));

    session.AskToOpen(path);
    GameSettings opened = session.ReadSettings();
    const std::optional<OpenedGame> read = session.ReadPendingGame(opened, nullptr, kEnglish);
    QVERIFY(read);
    QCOMPARE(read->cells, start);
    QCOMPARE(read->size, (FieldSize{settings.columnCount, settings.rowCount}));
    QVERIFY(!opened.fitToPicture);
    QVERIFY(session.FileGame());
    QVERIFY(prompter_.said.isEmpty());
  }

  void aFileThatCannotBeWrittenKeepsTheOldTie() {
    SilentHost host;
    Game game(host);
    GameSession session(*store_, {});
    GameSettings settings = session.ReadSettings();
    game.NewField(settings, {settings.columnCount, settings.rowCount}, 5);
    const std::string first = home_->filePath("first.clk").toStdString();
    QVERIFY(session.Save(game, first));
    QVERIFY(!session.Save(game, home_->filePath("no-such-folder/second.clk").toStdString()));
    QCOMPARE(session.FileName(), PathFromUtf8(first));
    QVERIFY(session.Tie());
  }

 private:
  std::unique_ptr<QTemporaryDir> home_;
  std::unique_ptr<SettingsStore> store_;
  ScriptedPrompter prompter_;
};

}  // namespace pebble::ui

QTEST_MAIN(pebble::ui::GameSessionTest)
#include "game_session_test.moc"
