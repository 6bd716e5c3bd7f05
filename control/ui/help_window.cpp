#include "control/ui/help_window.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPointer>
#include <QScreen>
#include <QShortcut>
#include <QTextDocument>
#include <QTransform>
#include <QVBoxLayout>
#include <algorithm>

#include "control/shell_help.h"
#include "config/ui/qt_dialogs.h"
#include "render/ui/keyed_image.h"

// The help pages sit in a library; its resources must be named once by hand.
static void InitHelpResources() { Q_INIT_RESOURCE(help); }

namespace pebble::ui {
namespace {

constexpr int kHelpWidth = 620;
constexpr int kHelpHeight = 640;
// Pictures are shown doubled, so a 16-pixel button reads as well as the text.
constexpr int kPictureScale = 2;
constexpr int kPageMargin = 12;

QPointer<TfrmHelp> helpWindow;

QImage Doubled(const QImage& picture) {
  return picture.scaled(picture.size() * kPictureScale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

QImage Resource(const QString& name) { return QImage(":/res/" + name).convertToFormat(QImage::Format_ARGB32); }

// "special/bomb", "glyph/SB_NEU" (the button in its normal state), "arrow/SB_ARROWUP".
QImage HelpPicture(const QString& path) {
  const QString kind = path.section('/', 0, 0);
  const QString name = path.section('/', 1);
  if (kind == "special") {
    static const struct { const char* name; const char* picture; int turn; } specials[] = {
        {"bomb", "ACTBMP1", 0},          {"rocket-right", "ACTBMP2", 0}, {"rocket-down", "ACTBMP2", 90},
        {"rocket-left", "ACTBMP2", 180}, {"rock", "ACTBMP3", 0},
    };
    for (const auto& special : specials) {
      if (name != special.name) continue;
      const QImage picture = TransparentByCorner(Resource(special.picture));
      return Doubled(picture.transformed(QTransform().rotate(special.turn)));
    }
    return {};
  }
  if (kind == "glyph") {
    const QImage strip = Resource(name);
    return strip.isNull() ? QImage() : Doubled(TransparentByCorner(strip.copy(0, 0, strip.height(), strip.height())));
  }
  if (kind == "arrow") return Doubled(TransparentByCorner(Resource(name)));
  return {};
}

}  // namespace

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent) {
  InitHelpResources();
  setOpenExternalLinks(true);
  document()->setDocumentMargin(kPageMargin);
  // One look for every page; the document keeps it from page to page.
  QFile styleSheet(":/help/help.css");
  if (styleSheet.open(QIODevice::ReadOnly)) document()->setDefaultStyleSheet(QString::fromUtf8(styleSheet.readAll()));
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
  if (type == QTextDocument::ImageResource && name.scheme() == "pebble") {
    const QImage picture = HelpPicture(name.path());
    if (!picture.isNull()) return picture;
  }
  return QTextBrowser::loadResource(type, name);
}

TfrmHelp::TfrmHelp(QWidget* parent) : QWidget(parent, Qt::Window), browser_(new HelpBrowser(this)) {
  setObjectName("frmHelp");
  setAttribute(Qt::WA_QuitOnClose, false);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  resize(kHelpWidth, kHelpHeight);
  connect(browser_, &QTextBrowser::sourceChanged, this, [this] { ShowTitle(); });
  new QShortcut(QKeySequence(Qt::Key_Escape), this, [this] { close(); });
}

void TfrmHelp::ShowTopic(int topic) {
  topic_ = topic;
  browser_->setSource(HelpUrl(topic));
  ShowTitle();
  show();
  if (isMinimized()) showNormal();
  raise();
  activateWindow();
}

void TfrmHelp::ShowTitle() {
  const QString title = browser_->documentTitle();
  setWindowTitle(title.isEmpty() ? ProgramTitle() : ProgramTitle() + QStringLiteral(" – ") + title);
}

QUrl HelpUrl(int topic) { return QUrl("qrc:/help/" + QString::fromStdString(HelpPagePath(topic))); }

TfrmHelp* ShowHelp(QWidget* window, int topic) {
  if (!helpWindow) {
    // A window of its own, not one kept above the game: the player may read
    // and play side by side. It goes when the window that opened it goes.
    helpWindow = new TfrmHelp();
    if (window) {
      QPointer<TfrmHelp> created = helpWindow;
      QObject::connect(window, &QObject::destroyed, [created] { delete created.data(); });
      const QRect frame = window->window()->frameGeometry();
      const QRect screen = window->screen() ? window->screen()->availableGeometry() : QRect();
      QPoint at = frame.topRight() + QPoint(10, 0);
      if (screen.isValid() && at.x() + kHelpWidth > screen.right()) at.setX(std::max(screen.left(), screen.right() - kHelpWidth));
      helpWindow->move(at);
    }
  }
  helpWindow->ShowTopic(topic);
  return helpWindow;
}

TfrmHelp* CurrentHelpWindow() { return helpWindow; }

}  // namespace pebble::ui
