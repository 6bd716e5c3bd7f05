// The help: every topic opens its page in its language, every link and
// picture of every page resolves, the three languages keep the same pages
// with the same links and pictures, and the names of buttons, options and
// messages the pages quote are the game's own texts in that language.

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>

#include "config/string_table.h"
#include "control/shell_help.h"
#include "control/ui/help_window.h"

using namespace pebble;
using namespace pebble::ui;

namespace {

const QStringList kLanguages = {"de", "en", "fr"};
const int kLanguageOffsets[] = {kGermanOffset, kEnglishOffset, kFrenchOffset};

QString ReadPage(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList Captures(const QString& html, const QString& pattern) {
  QStringList found;
  QRegularExpression expression(pattern, QRegularExpression::DotMatchesEverythingOption);
  for (auto match = expression.globalMatch(html); match.hasNext();) found << match.next().captured(1);
  return found;
}

// One line of text with the spaces a page or the string table may put in.
QString Normalized(QString text) {
  text.replace("&nbsp;", QString(QChar(0x00A0)));
  text.replace(QChar(0x00A0), ' ');
  text.remove('&');  // access keys of the string table
  return text.simplified();
}

QSet<QString> TextsOfLanguage(int languageOffset) {
  QSet<QString> texts;
  for (const StringRow& row : StringRows()) {
    texts << Normalized(QString::fromStdString(Text(row.id, languageOffset)));
  }
  return texts;
}

}  // namespace

class HelpTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    Q_INIT_RESOURCE(pebbledrome);
    HelpBrowser browser;  // makes the help pages known
  }

  void cleanupTestCase() { delete CurrentHelpWindow(); }

  void everyLanguageHasTheSamePages() {
    for (const QString& language : kLanguages) {
      QCOMPARE(QDir(":/help/" + language).entryList(QDir::Files, QDir::Name),
               QDir(":/help/en").entryList(QDir::Files, QDir::Name));
    }
    QVERIFY(QDir(":/help/en").entryList(QDir::Files).size() >= 10);
  }

  void topicsOpenTheirPage_data() {
    QTest::addColumn<int>("topic");
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("title");
    QTest::newRow("German start") << 0 << "qrc:/help/de/index.html" << "Hilfe";
    QTest::newRow("English start") << 1000 << "qrc:/help/en/index.html" << "Help";
    QTest::newRow("French start") << 2000 << "qrc:/help/fr/index.html" << "Aide";
    QTest::newRow("German news") << 13 << "qrc:/help/de/news.html" << "Neu in Version 4.1";
    QTest::newRow("English news") << 1013 << "qrc:/help/en/news.html" << "What's new in version 4.1";
    QTest::newRow("French news") << 2013 << "qrc:/help/fr/news.html" << "Nouveautés de la version 4.1";
    QTest::newRow("German questions") << 20 << "qrc:/help/de/faq.html" << "Fragen und Antworten";
    QTest::newRow("English questions") << 1020 << "qrc:/help/en/faq.html" << "Questions and answers";
    QTest::newRow("French questions") << 2020 << "qrc:/help/fr/faq.html" << "Questions et réponses";
    QTest::newRow("unknown page") << 1999 << "qrc:/help/en/index.html" << "Help";
  }

  void topicsOpenTheirPage() {
    QFETCH(int, topic);
    QFETCH(QString, url);
    QFETCH(QString, title);
    QWidget game;
    TfrmHelp* help = ShowHelp(&game, topic);
    QVERIFY(help->isVisible());
    QCOMPARE(help->Topic(), topic);
    QCOMPARE(help->Browser()->source().toString(), url);
    QCOMPARE(help->Browser()->documentTitle(), title);
    QCOMPARE(help->windowTitle(), "Pebbledrome! – " + title);
    QVERIFY(!help->testAttribute(Qt::WA_QuitOnClose));
  }

  // One help window, which goes with the window that opened it.
  void oneHelpWindowLivingWithItsOpener() {
    auto* game = new QWidget;
    TfrmHelp* first = ShowHelp(game, 1000);
    QCOMPARE(ShowHelp(game, 1020), first);
    QCOMPARE(first->Topic(), 1020);
    first->close();
    QCOMPARE(ShowHelp(game, 1013), first);
    QVERIFY(first->isVisible());
    delete game;
    QVERIFY(!CurrentHelpWindow());
  }

  void linksAndPicturesResolve() {
    HelpBrowser browser;
    for (const QString& language : kLanguages) {
      for (const QString& page : QDir(":/help/" + language).entryList(QDir::Files)) {
        const QString where = language + "/" + page;
        const QString html = ReadPage(":/help/" + where);
        QVERIFY2(html.contains("<html lang=\"" + language + "\">"), qPrintable(where));
        for (const QString& link : Captures(html, "href=\"([^\"]+)\"")) {
          if (link.endsWith(".css")) continue;
          QVERIFY2(QFile::exists(":/help/" + language + "/" + link), qPrintable(where + ": " + link));
        }
        for (const QString& source : Captures(html, "src=\"([^\"]+)\"")) {
          const QVariant picture = browser.loadResource(QTextDocument::ImageResource, QUrl(source));
          const QImage image = picture.typeId() == QMetaType::QImage ? picture.value<QImage>()
                                                                      : QImage::fromData(picture.toByteArray());
          QVERIFY2(!image.isNull(), qPrintable(where + ": " + source));
        }
      }
    }
  }

  // A translation that forgets a link or a picture shows up here.
  void languagesLinkAndShowTheSame() {
    for (const QString& page : QDir(":/help/en").entryList(QDir::Files)) {
      const QString english = ReadPage(":/help/en/" + page);
      for (const QString& language : {QString("de"), QString("fr")}) {
        const QString translated = ReadPage(":/help/" + language + "/" + page);
        QCOMPARE(Captures(translated, "href=\"([^\"]+)\""), Captures(english, "href=\"([^\"]+)\""));
        QCOMPARE(Captures(translated, "src=\"([^\"]+)\""), Captures(english, "src=\"([^\"]+)\""));
      }
    }
  }

  // Buttons, options and messages are quoted exactly as the game shows them.
  void quotedNamesAreTheGamesOwnTexts() {
    for (int i = 0; i < kLanguages.size(); ++i) {
      const QSet<QString> texts = TextsOfLanguage(kLanguageOffsets[i]);
      for (const QString& page : QDir(":/help/" + kLanguages[i]).entryList(QDir::Files)) {
        const QString html = ReadPage(":/help/" + kLanguages[i] + "/" + page);
        for (const QString& quoted : Captures(html, "<span class=\"(?:ui|msg)\">(.*?)</span>")) {
          QVERIFY2(texts.contains(Normalized(quoted)), qPrintable(kLanguages[i] + "/" + page + ": " + quoted));
        }
      }
    }
  }

  void pagesAreReadAsUtf8() {
    HelpBrowser browser;
    browser.setSource(QUrl("qrc:/help/de/play.html"));
    QVERIFY(browser.toPlainText().contains("Züge zurücknehmen"));
    browser.setSource(QUrl("qrc:/help/fr/faq.html"));
    QVERIFY(browser.toPlainText().contains("Qu’est-ce que « Voyeur »"));
  }
};

QTEST_MAIN(HelpTest)
#include "help_test.moc"
