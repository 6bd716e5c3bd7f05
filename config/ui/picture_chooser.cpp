#include "config/ui/picture_chooser.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>

#include "config/ui/qt_dialogs.h"
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
    setFrameShape(QFrame::StyledPanel);
  }

  void ShowFile(const QString& path) {
    bool ok = false;
    const QImage picture = QFileInfo(path).isFile() ? LoadPictureFile(path, &ok) : QImage();
    if (!ok || picture.isNull()) {
      clear();
      return;
    }
    const QSize room = contentsRect().size();
    setPixmap(QPixmap::fromImage(picture.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
  }
};

PicturePreview* AddPreview(QFileDialog& dialog) {
  auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
  if (!grid) return nullptr;
  auto* preview = new PicturePreview(&dialog);
  grid->addWidget(preview, 0, grid->columnCount(), grid->rowCount(), 1, Qt::AlignTop);
  QObject::connect(&dialog, &QFileDialog::currentChanged, preview, &PicturePreview::ShowFile);
  return preview;
}

}  // namespace

QString ChoosePictureFile(QWidget* parent, const QString& title, const QString& filter, const QString& startFile) {
  const QStringList filters = FileDialogFilters(filter);
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

}  // namespace pebble::ui
