// Qt's own dialogs speak the game's language: the buttons of every kind of
// message box, the name query, the file and folder dialogs and the colour
// picker, in German and French, and the main window switches them with the
// game's language.

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QtTest>
#include <memory>

#include "support/save_shot.h"
#include "config/settings_model.h"
#include "config/settings_store.h"
#include "config/string_ids.h"
#include "config/string_table.h"
#include "config/ui/picture_chooser.h"
#include "config/ui/qt_dialogs.h"
#include "config/ui/qt_texts.h"
#include "support/window_home.h"
#include "control/ui/tfrm_game.h"

using namespace pebble;
using namespace pebble::ui;

namespace {

// Renders the dialog for a look by eye when PEBBLE_SHOTS names a folder.
void SaveShot(QWidget& dialog, const QString& name) {
  if (testing::ShotFolder().isEmpty()) return;
  const bool shown = dialog.isVisible();
  dialog.show();
  testing::SaveShot(dialog, name);
  if (!shown) dialog.hide();
}

QString Plain(QString text) { return text.remove(QLatin1Char('&')); }

QString ButtonText(const QMessageBox& box, QMessageBox::StandardButton which) {
  const QAbstractButton* button = box.button(which);
  return button ? Plain(button->text()) : QStringLiteral("<missing>");
}

QString ButtonText(const QWidget& dialog, QDialogButtonBox::StandardButton which) {
  for (const QDialogButtonBox* box : dialog.findChildren<QDialogButtonBox*>()) {
    if (const QPushButton* button = box->button(which)) return Plain(button->text());
  }
  return QStringLiteral("<missing>");
}

QString LabelText(const QWidget& dialog, const char* name) {
  const auto* label = dialog.findChild<QLabel*>(QLatin1String(name));
  return label ? Plain(label->text()) : QStringLiteral("<missing>");
}

bool HasLabel(const QWidget& dialog, const QString& text) {
  for (const QLabel* label : dialog.findChildren<QLabel*>()) {
    if (Plain(label->text()) == text) return true;
  }
  return false;
}

// What a German and a French player read on the buttons and labels.
struct Words {
  int languageOffset;
  QString yes, no, help, ok, cancel, open, save, choose, lookIn, fileName, fileType, basicColors;
};

const Words kGerman{kGermanOffset, "Ja", "Nein", "Hilfe", "OK", "Abbrechen", "Öffnen", "Speichern", "Auswählen",
                    "Suchen in:", "Dateiname:", "Dateien des Typs:", "Grundfarben"};
const Words kFrench{kFrenchOffset, "Oui", "Non", "Aide", "OK", "Annuler", "Ouvrir", "Enregistrer", "Choisir",
                    "Voir dans :", "Nom de fichier :", "Fichiers de type :", "Couleurs de base"};

const char* const kLanguageNames[] = {"de", "en", "fr"};

}  // namespace

class QtTextsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    Q_INIT_RESOURCE(pebbledrome);
    Q_INIT_RESOURCE(help);
  }
  void cleanup() { UseQtTextsFor(kEnglishOffset); }

  void everyKindOfBoxSpeaksTheGamesLanguage_data() {
    QTest::addColumn<int>("which");
    QTest::newRow("German") << 0;
    QTest::newRow("French") << 1;
  }
  void everyKindOfBoxSpeaksTheGamesLanguage() {
    QFETCH(int, which);
    const Words& w = which == 0 ? kGerman : kFrench;
    QVERIFY2(UseQtTextsFor(w.languageOffset), "Qt's translations are not installed (qt6-translations-l10n)");

    const auto question = MakeMessageBox(nullptr, QMessageBox::Warning, "?", QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(ButtonText(*question, QMessageBox::Yes), w.yes);
    QCOMPARE(ButtonText(*question, QMessageBox::No), w.no);
    const auto confirmation =
        MakeMessageBox(nullptr, QMessageBox::Question, "?", QMessageBox::Ok | QMessageBox::Cancel);
    QCOMPARE(ButtonText(*confirmation, QMessageBox::Ok), w.ok);
    QCOMPARE(ButtonText(*confirmation, QMessageBox::Cancel), w.cancel);

    const auto mailQuestion = MakeQuestionWithHelp(nullptr, "?", {});
    QCOMPARE(ButtonText(*mailQuestion, QDialogButtonBox::Yes), w.yes);
    QCOMPARE(ButtonText(*mailQuestion, QDialogButtonBox::No), w.no);
    QCOMPARE(ButtonText(*mailQuestion, QDialogButtonBox::Help), w.help);

    const auto query = MakeTextQuery(nullptr, "caption", "prompt", "Anonymous", 255);
    QCOMPARE(ButtonText(*query, QDialogButtonBox::Ok), w.ok);
    QCOMPARE(ButtonText(*query, QDialogButtonBox::Cancel), w.cancel);

    const QStringList filters{"Pebbledrome (*.clk)"};
    const auto opener = MakeFileDialog(nullptr, "open", filters, QFileDialog::AcceptOpen, "clk");
    QCOMPARE(ButtonText(*opener, QDialogButtonBox::Open), w.open);
    QCOMPARE(ButtonText(*opener, QDialogButtonBox::Cancel), w.cancel);
    QCOMPARE(LabelText(*opener, "lookInLabel"), w.lookIn);
    QCOMPARE(LabelText(*opener, "fileNameLabel"), w.fileName);
    QCOMPARE(LabelText(*opener, "fileTypeLabel"), w.fileType);
    const auto saver = MakeFileDialog(nullptr, "save", filters, QFileDialog::AcceptSave, "clk");
    QCOMPARE(ButtonText(*saver, QDialogButtonBox::Save), w.save);

    const auto folder = MakeFolderDialog(nullptr, "folder");
    QCOMPARE(ButtonText(*folder, QDialogButtonBox::Open), w.choose);
    QCOMPARE(ButtonText(*folder, QDialogButtonBox::Cancel), w.cancel);

    const auto colors = MakeColorDialog(nullptr, Qt::red);
    QCOMPARE(ButtonText(*colors, QDialogButtonBox::Ok), w.ok);
    QCOMPARE(ButtonText(*colors, QDialogButtonBox::Cancel), w.cancel);
    QVERIFY2(HasLabel(*colors, w.basicColors), qPrintable(w.basicColors));

    const QString language = which == 0 ? QStringLiteral("de") : QStringLiteral("fr");
    SaveShot(*question, "qt-question-" + language);
    SaveShot(*query, "qt-query-" + language);
    SaveShot(*mailQuestion, "qt-mail-question-" + language);
    SaveShot(*opener, "qt-open-" + language);
    SaveShot(*folder, "qt-folder-" + language);
    SaveShot(*colors, "qt-colors-" + language);
  }

  // Qt sizes the detail view and the places of its file dialogs for English
  // words; the German "Verzeichnis", the French "Dernière modification" and
  // "Ordinateur" must read whole as well, and a short folder without
  // scrolling sideways.
  void fileDialogColumnsShowWholeWords_data() {
    QTest::addColumn<int>("languageOffset");
    QTest::newRow("de") << kGermanOffset;
    QTest::newRow("en") << kEnglishOffset;
    QTest::newRow("fr") << kFrenchOffset;
  }
  void fileDialogColumnsShowWholeWords() {
    QFETCH(int, languageOffset);
    QVERIFY(UseQtTextsFor(languageOffset));
    QTemporaryDir folder;
    for (const char* name : {"config", "data", "home"}) QVERIFY(QDir(folder.path()).mkdir(name));
    QFile game(folder.filePath("deal.clk"));
    QVERIFY(game.open(QIODevice::WriteOnly));
    game.close();
    const QStringList filters{"Pebbledrome (*.clk)"};
    struct Dialog {
      const char* shot;
      std::unique_ptr<QFileDialog> dialog;
    } dialogs[] = {
        {"qt-save", MakeFileDialog(nullptr, "save", filters, QFileDialog::AcceptSave, "clk")},
        {"qt-open", MakeFileDialog(nullptr, "open", filters, QFileDialog::AcceptOpen, "clk")},
        {"qt-folder", MakeFolderDialog(nullptr, "folder")},
    };
    for (Dialog& d : dialogs) {
      auto* model = d.dialog->findChild<QFileSystemModel*>();
      auto* details = d.dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
      QVERIFY(model && details);
      QSignalSpy loaded(model, &QFileSystemModel::directoryLoaded);
      d.dialog->setViewMode(QFileDialog::Detail);
      d.dialog->setDirectory(folder.path());
      d.dialog->show();
      QVERIFY(QTest::qWaitForWindowExposed(d.dialog.get()));
      QTRY_VERIFY(loaded.contains(QVariantList{folder.path()}));
      QCoreApplication::processEvents();
      const QAbstractItemView* view = details;  // the width its entries need is public there
      QHeaderView* header = details->header();
      int total = 0;
      for (int column = 0; column < header->count(); ++column) {
        const QString what = QString::fromLatin1(d.shot) + QLatin1Char(' ') +
                             model->headerData(column, Qt::Horizontal).toString();
        QVERIFY2(header->sectionSize(column) >= header->sectionSizeHint(column), qPrintable(what));
        QVERIFY2(header->sectionSize(column) >= view->sizeHintForColumn(column), qPrintable(what));
        total += header->sectionSize(column);
      }
      QVERIFY2(total <= details->viewport()->width(), d.shot);
      if (QLatin1String(d.shot) == QLatin1String("qt-open")) {
        // The type column names folders and saved games in the game's language.
        const QModelIndex root = details->rootIndex();
        QStringList types;
        for (int row = 0; row < view->model()->rowCount(root); ++row) {
          types << view->model()->index(row, 2, root).data().toString();
        }
        types.removeDuplicates();
        const QStringList expected[] = {{"Ordner", "Pebbledrome-Spiel"}, {"Folder", "Pebbledrome game"},
                                        {"Dossier", "Partie de Pebbledrome"}};
        QCOMPARE(QSet<QString>(types.begin(), types.end()),
                 QSet<QString>(expected[languageOffset / 1000].begin(), expected[languageOffset / 1000].end()));
      }
      const auto* places = d.dialog->findChild<QAbstractItemView*>(QStringLiteral("sidebar"));
      QVERIFY(places);
      QVERIFY2(places->viewport()->width() >= places->sizeHintForColumn(0), d.shot);
      const QString language = QString::fromLatin1(kLanguageNames[languageOffset / 1000]);
      SaveShot(*d.dialog, QStringLiteral("%1-columns-%2").arg(QLatin1String(d.shot), language));

      // A name dragged wider stays so while the scroll bar appears below it.
      const int dragged = details->viewport()->width() + 100;
      header->resizeSection(0, dragged);
      QTRY_VERIFY(details->horizontalScrollBar()->isVisible());
      QCOMPARE(header->sectionSize(0), dragged);
    }
  }

  // The picture chooser lists every picture the game reads, ".jpeg" too, and
  // its first listing already shows names and sizes whole beside the preview.
  void pictureChooserListsEveryPictureWhole() {
    QTemporaryDir folder;
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    for (const char* name : {"checkerboard-background.bmp", "holiday.jpeg", "beach.jpg"}) {
      QVERIFY(picture.save(folder.filePath(QLatin1String(name)), QByteArray(name).endsWith("bmp") ? "BMP" : "JPG"));
    }
    QFile notes(folder.filePath("notes.txt"));
    QVERIFY(notes.open(QIODevice::WriteOnly));
    notes.close();
    const QString filter = QString::fromStdString(Text(kPictureFilter, kEnglishOffset));
    const QStringList filters = PictureDialogFilters(filter);
    QCOMPARE(filters, (QStringList{"JPEG (*.jpg *.jpeg)", "Bitmaps (*.bmp)", "All graphic files (*.jpg *.jpeg *.bmp)",
                                   "All files (*.*)"}));

    QStringList listed;
    bool fits = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      QTreeView* details = dialog ? dialog->findChild<QTreeView*>(QStringLiteral("treeView")) : nullptr;
      if (!details) return;
      const auto rows = [details] { return details->model()->rowCount(details->rootIndex()); };
      if (!QTest::qWaitFor([&] { return rows() >= 3; }, 5000)) qWarning("the folder was not listed in time");
      QTest::qWait(50);
      for (int row = 0; row < rows(); ++row) listed << details->model()->index(row, 0, details->rootIndex()).data().toString();
      const QAbstractItemView* view = details;  // the width its entries need is public there
      int total = 0;
      fits = true;
      for (int column = 0; column < details->header()->count(); ++column) {
        fits = fits && details->header()->sectionSize(column) >= view->sizeHintForColumn(column);
        total += details->header()->sectionSize(column);
      }
      // A long name may still leave the date to scroll to; nothing is cut.
      if (total > details->viewport()->width()) qInfo("the list scrolls sideways by %d px", total - details->viewport()->width());
      SaveShot(*dialog, QStringLiteral("picture-chooser"));
      dialog->reject();
    });
    ChoosePictureFile(nullptr, "picture", filter, folder.filePath("checkerboard-background.bmp"));
    listed.sort();
    QCOMPARE(listed, (QStringList{"beach.jpg", "checkerboard-background.bmp", "holiday.jpeg"}));
    QVERIFY(fits);
  }

  // The French help tells a player who is asked about the cheat alarm to
  // answer "Non": that must be the word on the button.
  void frenchHelpNamesTheButtonItsBoxShows() {
    QFile faq(QStringLiteral(":/help/fr/faq.html"));
    QVERIFY(faq.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromUtf8(faq.readAll()).contains(QStringLiteral("répondent Non")));
    UseQtTextsFor(kFrenchOffset);
    const auto question = MakeMessageBox(nullptr, QMessageBox::Warning, "?", QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(ButtonText(*question, QMessageBox::No), QStringLiteral("Non"));
  }

  void mainWindowSwitchesQtsTextsWithTheLanguage() {
    testing::WindowHome home(kFrenchOffset);
    {
      TfrmGame game(home.Store(), {"sounds:no"});
      const auto box = [] { return MakeMessageBox(nullptr, QMessageBox::Warning, "?", QMessageBox::Yes | QMessageBox::No); };
      QCOMPARE(ButtonText(*box(), QMessageBox::No), kFrench.no);
      GameSettings settings = game.Settings();
      settings.languageOffset = kGermanOffset;
      game.UpdateSettings(settings);
      game.LanguageChanged();
      QCOMPARE(ButtonText(*box(), QMessageBox::No), kGerman.no);
      settings.languageOffset = kEnglishOffset;
      game.UpdateSettings(settings);
      game.LanguageChanged();
      QCOMPARE(ButtonText(*box(), QMessageBox::No), QStringLiteral("No"));
    }
  }
};

QTEST_MAIN(QtTextsTest)
#include "qt_texts_test.moc"
