#include "config/ui/qt_dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileIconProvider>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QSplitter>
#include <QStyle>
#include <QTreeView>
#include <algorithm>

#include "config/string_ids.h"
#include "config/string_table.h"
#include "config/ui/qt_texts.h"

namespace pebble::ui {
namespace {

// Qt sizes the detail view of its file dialogs for English words, which cuts
// a German "Verzeichnis" or a French "Dernière modification". Once a folder
// is listed, and whenever the view changes size, every column but the name
// gets what its caption and entries need, and the name the rest of the view.
class DetailColumns final : public QObject {
 public:
  explicit DetailColumns(QTreeView* details) : QObject(details), details_(details) {
    details->viewport()->installEventFilter(this);
  }

  void Fit() const {
    QHeaderView* header = details_->header();
    int others = 0;
    for (int column = 1; column < header->count(); ++column) {
      details_->resizeColumnToContents(column);
      others += header->sectionSize(column);
    }
    details_->resizeColumnToContents(0);
    const int nameNeeds = header->sectionSize(0);
    header->resizeSection(0, std::max(nameNeeds, details_->viewport()->width() - others));
  }

 protected:
  // Only a change of width: a scroll bar coming and going below must not
  // undo a column the player has just dragged wider.
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Resize) {
      const auto* resize = static_cast<QResizeEvent*>(event);
      if (resize->size().width() != resize->oldSize().width()) Fit();
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QTreeView* details_;
};

// Qt's list of places is narrower than "Computer" or "Ordinateur"; the
// detail view beside it gives it the room its names need.
void WidenSidebar(QFileDialog& dialog) {
  auto* splitter = dialog.findChild<QSplitter*>(QStringLiteral("splitter"));
  auto* sidebar = dialog.findChild<QAbstractItemView*>(QStringLiteral("sidebar"));
  if (!splitter || !sidebar || !splitter->isVisible() || splitter->count() != 2) return;
  QList<int> sizes = splitter->sizes();
  const int needs = sidebar->sizeHintForColumn(0) + 2 * sidebar->frameWidth();
  if (sizes[0] >= needs) return;
  sizes[1] -= needs - sizes[0];
  sizes[0] = needs;
  splitter->setSizes(sizes);
}

// The type column in the game's language. Qt's French has no word for a
// folder, and the saved-game type would come from the desktop's database in
// the desktop's language, or in English where the type was registered by a
// version that wrote no other.
class GameFileTypes final : public QFileIconProvider {
 public:
  QString type(const QFileInfo& info) const override {
    const int language = QtTextsLanguage();
    if (info.isDir()) return QString::fromStdString(Text(kFolderFileType, language));
    if (info.suffix().compare(QLatin1String("clk"), Qt::CaseInsensitive) == 0) {
      return QString::fromStdString(Text(kSavedGameFileType, language));
    }
    return QFileIconProvider::type(info);
  }
};

void SpeakTheGamesLanguage(QFileDialog& dialog) {
  static GameFileTypes types;  // the dialog only borrows its provider
  dialog.setIconProvider(&types);
}

void ShowWordsWhole(QFileDialog& dialog) {
  auto* model = dialog.findChild<QFileSystemModel*>();
  auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
  if (!model || !details) return;
  auto* columns = new DetailColumns(details);
  QObject::connect(model, &QFileSystemModel::directoryLoaded, columns, &DetailColumns::Fit);
  QObject::connect(model, &QFileSystemModel::directoryLoaded, &dialog, [&dialog] { WidenSidebar(dialog); });
}

}  // namespace

QString ProgramTitle() { return QStringLiteral("Pebbledrome!"); }

std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                            QMessageBox::StandardButtons buttons,
                                            QMessageBox::StandardButton defaultButton) {
  auto box = std::make_unique<QMessageBox>(icon, ProgramTitle(), text, buttons, parent);
  if (defaultButton != QMessageBox::NoButton) box->setDefaultButton(defaultButton);
  return box;
}

std::unique_ptr<QDialog> MakeQuestionWithHelp(QWidget* parent, const QString& text,
                                              const std::function<void()>& help) {
  auto question = std::make_unique<QDialog>(parent);
  question->setWindowTitle(ProgramTitle());
  QStyle* style = question->style();
  auto* icon = new QLabel(question.get());
  const int iconSize = style->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, question.get());
  icon->setPixmap(style->standardIcon(QStyle::SP_MessageBoxQuestion, nullptr, question.get()).pixmap(iconSize));
  auto* message = new QLabel(text, question.get());
  message->setWordWrap(true);
  message->setMinimumWidth(message->fontMetrics().averageCharWidth() * 50);
  auto* buttons =
      new QDialogButtonBox(QDialogButtonBox::Yes | QDialogButtonBox::No | QDialogButtonBox::Help, question.get());
  buttons->button(QDialogButtonBox::Yes)->setDefault(true);
  QObject::connect(buttons, &QDialogButtonBox::accepted, question.get(), &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, question.get(), &QDialog::reject);
  QObject::connect(buttons, &QDialogButtonBox::helpRequested, question.get(), [help] {
    if (help) help();
  });
  auto* grid = new QGridLayout(question.get());
  grid->addWidget(icon, 0, 0, Qt::AlignTop);
  grid->addWidget(message, 0, 1);
  grid->addWidget(buttons, 1, 0, 1, 2);
  grid->setSizeConstraint(QLayout::SetFixedSize);
  return question;
}

std::unique_ptr<QInputDialog> MakeTextQuery(QWidget* parent, const QString& caption, const QString& prompt,
                                            const QString& preset, int maxLength) {
  auto query = std::make_unique<QInputDialog>(parent);
  query->setWindowTitle(caption);
  query->setLabelText(prompt);
  query->setInputMode(QInputDialog::TextInput);
  query->setTextValue(preset);
  if (auto* edit = query->findChild<QLineEdit*>()) edit->setMaxLength(maxLength);
  query->adjustSize();  // builds the buttons now, not at the first show
  return query;
}

std::unique_ptr<QFileDialog> MakeFileDialog(QWidget* parent, const QString& title, const QStringList& filters,
                                            QFileDialog::AcceptMode mode, const QString& defaultSuffix) {
  auto dialog = std::make_unique<QFileDialog>(parent, title);
  // The desktop's own dialog would speak the desktop's language, not the game's.
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->setAcceptMode(mode);
  dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dialog->setNameFilters(filters);
  dialog->setDefaultSuffix(defaultSuffix);
  SpeakTheGamesLanguage(*dialog);
  ShowWordsWhole(*dialog);
  return dialog;
}

std::unique_ptr<QFileDialog> MakeFolderDialog(QWidget* parent, const QString& title) {
  auto dialog = std::make_unique<QFileDialog>(parent, title);
  dialog->setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::ShowDirsOnly);
  dialog->setFileMode(QFileDialog::Directory);
  SpeakTheGamesLanguage(*dialog);
  ShowWordsWhole(*dialog);
  return dialog;
}

std::unique_ptr<QColorDialog> MakeColorDialog(QWidget* parent, const QColor& initial) {
  auto dialog = std::make_unique<QColorDialog>(initial, parent);
  dialog->setOption(QColorDialog::DontUseNativeDialog);
  return dialog;
}

}  // namespace pebble::ui
