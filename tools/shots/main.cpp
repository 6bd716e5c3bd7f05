// Pictures of every window of the game in German, English and French, for a
// look at the layout by eye: run it with a folder, and it writes one PNG per
// window, page and language there. It plays in a private home folder, so the
// player's settings are never touched.
//
//   QT_QPA_PLATFORM=offscreen build/tools/pebble_shots shots/

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QColorDialog>
#include <QDir>
#include <QInputDialog>
#include <QMenu>
#include <QMouseEvent>
#include <QTabWidget>
#include <cstdio>
#include <memory>

#include "config/settings_model.h"
#include "config/settings_store.h"
#include "config/string_table.h"
#include "config/ui/qt_dialogs.h"
#include "config/ui/qt_texts.h"
#include "config/ui/tfrm_cfg.h"
#include "config/ui/tfrm_sel_colors.h"
#include "control/shell_help.h"
#include "control/ui/help_window.h"
#include "control/ui/field_view.h"
#include "control/ui/program_start.h"
#include "control/ui/tfrm_game.h"
#include "engine/deal.h"
#include "render/ui/background_picture.h"
#include "render/ui/field_painter.h"
#include "scores/ui/tfrm_about.h"
#include "scores/ui/tfrm_add_address.h"
#include "scores/ui/tfrm_count_down.h"
#include "scores/ui/tfrm_hints.h"
#include "scores/ui/tfrm_report.h"
#include "scores/ui/tfrm_stats.h"
#include "solver/ui/game_solver.h"
#include "shot_host.h"
#include "support/window_home.h"

using namespace pebble;
using namespace pebble::ui;

namespace {

const char* const kLanguageTags[] = {"de", "en", "fr"};

class Shots {
 public:
  explicit Shots(QString folder) : folder_(std::move(folder)) {}

  // Saves the widget as <name>-<language>.png; false when it could not be written.
  void Take(QWidget& window, const QString& name) {
    window.show();
    QApplication::processEvents();
    const QString file = QStringLiteral("%1/%2.png").arg(folder_, name);
    if (window.grab().save(file)) {
      ++written_;
    } else {
      std::fprintf(stderr, "could not write %s\n", qPrintable(file));
      ++failed_;
    }
  }
  void TakeImage(const QImage& image, const QString& name) {
    if (image.save(QStringLiteral("%1/%2.png").arg(folder_, name))) ++written_;
    else ++failed_;
  }
  int Written() const { return written_; }
  int Failed() const { return failed_; }

 private:
  QString folder_;
  int written_ = 0;
  int failed_ = 0;
};

// The main window at a fixed deal: plain, and with the ramp of the count-down game.
void MainWindow(Shots& shots, SettingsStore& store, const QString& tag) {
  {
    TfrmGame game(store, {"deal:4242", "sounds:no", "animations:no"});
    shots.Take(game, "main-" + tag);
  }
  TfrmGame ramp(store, {"deal:4242", "sounds:no", "animations:no", "autodrop:yes"});
  shots.Take(ramp, "main-ramp-" + tag);
}

// The group lit under the pointer with its points in the status bar, the
// command menu with its keys, and the page of every key.
void Commands(Shots& shots, SettingsStore& store, const QString& tag, int languageOffset) {
  TfrmGame game(store, {"deal:4242", "sounds:no", "animations:no"});
  game.show();
  QApplication::processEvents();
  const Field& field = game.GetGame().GetField();
  std::int32_t target = 0;
  while (target < field.Size() && game.GetGame().MoveCells(target).size() < 4) ++target;
  const QPointF at(field[target].Left + field.StoneWidth() / 2, field[target].Top + field.StoneHeight() / 2);
  QMouseEvent move(QEvent::MouseMove, at, game.imgMain()->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(game.imgMain(), &move);
  shots.Take(game, "group-lit-" + tag);
  game.OpenCommandMenu();
  shots.Take(*game.CommandMenu(), "menu-" + tag);
  game.CommandMenu()->close();
  shots.Take(*ShowHelp(&game, languageOffset + kHelpKeysTopic), "help-keys-" + tag);
}

// Events for the window until `done`, for ten seconds at most.
template <typename Done>
void RunUntil(Done done) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < 10000) {
    QApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(5);
  }
}

// A click on a cell, where the window draws it.
void ClickCell(TfrmGame& game, std::int32_t index) {
  const Field& field = game.GetGame().GetField();
  const FieldPlacement& place = game.imgMain()->Placement();
  const QPointF at(place.left + (field[index].Left + field.StoneWidth() / 2.0) * place.scale,
                   place.top + (field[index].Top + field.StoneHeight() / 2.0) * place.scale);
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent click(type, at, game.imgMain()->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(game.imgMain(), &click);
  }
}

template <typename Window>
Window* OpenWindowOf() {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (auto* window = qobject_cast<Window*>(widget); window && window->isVisible()) return window;
  return nullptr;
}

// One whole game as a player meets it: the start, the first hint, every hint
// followed to the end, then the statistics.
void Walkthrough(Shots& shots, SettingsStore& store, const QString& tag) {
  TfrmGame game(store, {"deal:4711", "sounds:no", "animations:no", "score:high"});
  CompleteStart(game);  // as the program does after its first paint, so the statistics see every move
  shots.Take(game, "walk-1-start-" + tag);
  const auto advise = [&game] {
    game.AskForAdvice();
    RunUntil([&game] { return !game.Solver().Advising(); });
    QApplication::processEvents();
  };
  advise();
  shots.Take(game, "walk-2-advice-" + tag);
  while (game.GetGame().GameRunning() && game.Solver().LastAdvice().found) {
    ClickCell(game, game.Solver().LastAdvice().fieldIndex);
    RunUntil([&game] { return !game.GetGame().MoveInProgress() && !game.GetGame().Busy(); });
    if (game.GetGame().GameRunning()) advise();
  }
  RunUntil([&game] { return !game.Solver().DealSearching(); });
  shots.Take(game, "walk-3-end-" + tag);
  game.bttInfoClick();
  if (QWidget* stats = OpenWindowOf<TfrmStats>()) shots.Take(*stats, "walk-4-statistics-" + tag);
}

void Settings(Shots& shots, ShotHost& host, const QString& tag) {
  TfrmCfg dialog(host);
  for (int page = 0; page < dialog.pages->count(); ++page) {
    dialog.pages->setCurrentIndex(page);
    shots.Take(dialog, QStringLiteral("cfg-page%1-%2").arg(page + 1).arg(tag));
  }
  TfrmSelColors colors(host);
  shots.Take(colors, "colors-" + tag);
}

void ScoreWindows(Shots& shots, ShotHost& host, const QString& tag) {
  const int offset = host.Settings().languageOffset;
  TfrmAbout about(offset);
  shots.Take(about, "about-" + tag);
  TfrmHints hints(host.Store(), QRect(0, 0, 300, 400), offset);
  hints.ShowInstruction();
  shots.Take(hints, "hints-" + tag);
  TfrmStats stats(host.Store(), host.Settings());
  shots.Take(stats, "stats-" + tag);
  TfrmReport report(offset);
  shots.Take(report, "report-" + tag);
  TfrmAddAddress address(host.Store(), offset);
  shots.Take(address, "add-address-" + tag);
  TfrmCountDown clock(host, host.Store());
  clock.StartCountDown();
  for (int tick = 0; tick < 3; ++tick) clock.TimerCDTimer();
  shots.Take(clock, "countdown-" + tag);
  TfrmHelp help;
  help.ShowTopic(offset + 1);
  shots.Take(help, "help-" + tag);
}

// Qt's own dialogs as the game sets them up, speaking the language.
void QtDialogs(Shots& shots, const QString& tag) {
  const auto warning = MakeMessageBox(nullptr, QMessageBox::Warning, "?", QMessageBox::Yes | QMessageBox::No,
                                      QMessageBox::No);
  shots.Take(*warning, "qt-warning-" + tag);
  const auto query = MakeTextQuery(nullptr, ProgramTitle(), "?", "99", 9);
  shots.Take(*query, "qt-query-" + tag);
  const auto question = MakeQuestionWithHelp(nullptr, "?", {});
  shots.Take(*question, "qt-help-question-" + tag);
  const auto opener = MakeFileDialog(nullptr, ProgramTitle(), {"Pebbledrome (*.clk)"}, QFileDialog::AcceptOpen, "clk");
  opener->setDirectory(QDir::homePath());
  shots.Take(*opener, "qt-open-" + tag);
  const auto folder = MakeFolderDialog(nullptr, ProgramTitle());
  folder->setDirectory(QDir::homePath());
  shots.Take(*folder, "qt-folder-" + tag);
  const auto colors = MakeColorDialog(nullptr, Qt::red);
  shots.Take(*colors, "qt-colors-" + tag);
}

// The field in each of its looks, drawn without a window.
void FieldLooks(Shots& shots) {
  struct Look {
    const char* name;
    bool textured, traceOutline, voyeur, actionsOn;
  };
  const Look looks[] = {{"plain", false, false, false, false},
                        {"trace-lines", false, true, false, false},
                        {"textured", true, true, false, false},
                        {"voyeur", true, true, true, false},
                        {"special-stones", true, true, false, true}};
  const QImage picture = BuiltInPicture();
  for (const Look& look : looks) {
    GameSettings settings;
    settings.textured = look.textured;
    settings.traceOutline = look.traceOutline;
    settings.voyeur = look.voyeur;
    settings.actionsOn = look.actionsOn;
    settings.actionFrequency = 8;
    Field field = DealField(11, settings, {10, 16});
    // A cleared corner shows the background beside the stones.
    for (int row = 1; row <= 5; ++row)
      for (int column = 1; column <= 10 - row; ++column) field[field.CellIndex(row, column)].Occupied = 0;
    field.Recount();
    GameRandom random;
    random.Seed(7);
    FieldPainter painter;
    painter.Prepare(settings, {field.PixelWidth(), field.PixelHeight()}, picture, random);
    painter.DrawWholeField(field, {});
    shots.TakeImage(painter.Surface(), QStringLiteral("field-%1").arg(QLatin1String(look.name)));
  }
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  Q_INIT_RESOURCE(pebbledrome);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder for the pictures>\n", argv[0]);
    return 2;
  }
  const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
  if (!QDir().mkpath(folder)) {
    std::fprintf(stderr, "cannot make the folder %s\n", argv[1]);
    return 1;
  }
  Shots shots(folder);
  for (int language = 0; language < 3; ++language) {
    const int offset = language * 1000;
    const QString tag = QLatin1String(kLanguageTags[language]);
    UseQtTextsFor(offset);
    // A home of its own, whose prompter answers every question quietly.
    testing::WindowHome home(offset);
    ShotHost host(home.Store(), offset);
    MainWindow(shots, home.Store(), tag);
    Commands(shots, home.Store(), tag, offset);
    Walkthrough(shots, home.Store(), tag);
    Settings(shots, host, tag);
    // A larger font must still fit the pages.
    const QFont normal = QApplication::font();
    QFont large = normal;
    large.setPointSize(14);
    QApplication::setFont(large);
    Settings(shots, host, tag + "-large");
    QApplication::setFont(normal);
    ScoreWindows(shots, host, tag);
    QtDialogs(shots, tag);
  }
  FieldLooks(shots);
  std::printf("%d pictures in %s\n", shots.Written(), qPrintable(folder));
  return shots.Failed() == 0 ? 0 : 1;
}
