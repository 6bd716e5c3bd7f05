#include "config/ui/qt_dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace pebble::ui {

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
  return dialog;
}

std::unique_ptr<QFileDialog> MakeFolderDialog(QWidget* parent, const QString& title) {
  auto dialog = std::make_unique<QFileDialog>(parent, title);
  dialog->setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::ShowDirsOnly);
  dialog->setFileMode(QFileDialog::Directory);
  return dialog;
}

std::unique_ptr<QColorDialog> MakeColorDialog(QWidget* parent, const QColor& initial) {
  auto dialog = std::make_unique<QColorDialog>(initial, parent);
  dialog->setOption(QColorDialog::DontUseNativeDialog);
  return dialog;
}

}  // namespace pebble::ui
