#include "config/ui/picture_chooser.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QRegularExpression>
#include <QScreen>
#include <QTreeView>
#include <algorithm>
#include <memory>

#include "config/string_ids.h"
#include "config/string_table.h"
#include "config/ui/qt_dialogs.h"
#include "config/ui/qt_texts.h"
#include "render/ui/background_picture.h"

namespace pebble::ui {
namespace {

constexpr int kPreselectedFilter = 2;
constexpr QSize kPreviewSize(180, 135);

// Shows the picture under the cursor of the file dialog, scaled to fit.
class PicturePreview : public QLabel {
 public:
  explicit PicturePreview(QWidget* parent) : QLabel(parent) {
    setFixedSize(kPreviewSize);
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    setFrameShape(QFrame::StyledPanel);
  }

  void ShowFile(const QString& path) {
    bool ok = false;
    const bool file = QFileInfo(path).isFile();
    const QImage picture = file ? LoadPictureFile(path, &ok, contentsRect().size()) : QImage();
    if (!ok || picture.isNull()) {
      clear();
      // A file the game would refuse says so before it is chosen.
      if (file) setText(QString::fromStdString(Text(kPictureRefused, QtTextsLanguage())));
      return;
    }
    const QSize room = contentsRect().size();
    setPixmap(QPixmap::fromImage(picture.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
  }
};

void GrowToTheFirstListing(QFileDialog& dialog) {
  auto* model = dialog.findChild<QFileSystemModel*>();
  auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
  if (!model || !details) return;
  auto connection = std::make_shared<QMetaObject::Connection>();
  *connection = QObject::connect(model, &QFileSystemModel::directoryLoaded, &dialog, [&dialog, details, connection] {
    if (!dialog.isVisible()) return;
    QObject::disconnect(*connection);
    int needed = 0;
    for (int column = 0; column < details->header()->count(); ++column) needed += details->header()->sectionSize(column);
    const int missing = needed - details->viewport()->width();
    const QScreen* screen = dialog.screen();
    const int room = screen ? screen->availableGeometry().width() - (dialog.frameGeometry().width() - dialog.width())
                            : dialog.width();
    if (missing > 0) dialog.resize(std::min(dialog.width() + missing, std::max(room, dialog.width())), dialog.height());
  });
}

PicturePreview* AddPreview(QFileDialog& dialog) {
  auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
  if (!grid) return nullptr;
  auto* preview = new PicturePreview(&dialog);
  grid->addWidget(preview, 0, grid->columnCount(), grid->rowCount(), 1, Qt::AlignTop);
  // The preview gets room of its own, and the first listing the width its
  // columns need (within the screen): long picture names read whole.
  dialog.resize(dialog.width() + preview->width() + grid->horizontalSpacing(), dialog.height());
  GrowToTheFirstListing(dialog);
  QObject::connect(&dialog, &QFileDialog::currentChanged, preview, &PicturePreview::ShowFile);
  return preview;
}

}  // namespace

QString ChoosePictureFile(QWidget* parent, const QString& title, const QString& filter, const QString& startFile) {
  const QStringList filters = PictureDialogFilters(filter);
  const auto owned = MakeFileDialog(parent, title, filters, QFileDialog::AcceptOpen, "jpg");
  QFileDialog& dialog = *owned;
  if (filters.size() > kPreselectedFilter) dialog.selectNameFilter(filters[kPreselectedFilter]);
  PicturePreview* preview = AddPreview(dialog);
  if (!startFile.isEmpty() && QFileInfo(startFile).isFile()) {
    dialog.setDirectory(QFileInfo(startFile).absolutePath());
    dialog.selectFile(startFile);
    if (preview) preview->ShowFile(startFile);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

QStringList FileDialogFilters(const QString& filter) {
  const QStringList parts = filter.split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString description = parts[i].trimmed();
    const QString patterns = parts[i + 1].split(';', Qt::SkipEmptyParts).join(' ');
    filters << (description.contains('(') ? description : QStringLiteral("%1 (%2)").arg(description, patterns));
  }
  return filters;
}

QStringList PictureDialogFilters(const QString& filter) {
  static const QRegularExpression jpg(QStringLiteral("\\*\\.jpg(?=[ )])"), QRegularExpression::CaseInsensitiveOption);
  QStringList filters = FileDialogFilters(filter);
  for (QString& one : filters) {
    if (!one.contains(QLatin1String("*.jpeg"), Qt::CaseInsensitive)) one.replace(jpg, QStringLiteral("*.jpg *.jpeg"));
  }
  return filters;
}

}  // namespace pebble::ui
