#pragma once
// The about window: the program's name, version and terms, a picture the player
// can turn and switch with the mouse, and the buttons to the maker's mail and
// web page. Created on first use, shown modelessly, kept until the program ends.

#include <QDialog>
#include <QImage>
#include <QString>

class QLabel;
class QPushButton;

namespace pebble::ui {

class PaintBox;

class TfrmAbout : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kPictureWidth = 140;
  static constexpr int kPictureHeight = 89;

  explicit TfrmAbout(int languageOffset, QWidget* parent = nullptr);

  // Every text in the given language; again after a change of language.
  void ProcStrings(int languageOffset);
  // Shows the window without blocking the game and brings it to the front.
  void ShowModeless();

  // Left button: turns the picture upside down (and back). Right button:
  // switches between the two pictures, upright.
  void ProgIcoBoxMouseDown(Qt::MouseButton button);
  // Serves both link buttons: the web page, or a mail after a question.
  void bttMailClick(const QPushButton* sender);

  const QImage& CurrentPicture() const { return picture_; }
  int PictureSwitches() const { return switches_; }
  PaintBox* ProgIcoBox() const { return ProgIcoBox_; }

 signals:
  // The Help button of the mail question: open the help at this topic.
  void HelpRequested(int topic);

 private:
  void BuildWindow();
  void LoadPicture(const char* name);
  QString Str(int id) const;

  int languageOffset_ = 0;
  QImage picture_;
  int switches_ = 1;
  PaintBox* ProgIcoBox_ = nullptr;
  QLabel* lblInfo1_ = nullptr;
  QLabel* lblInfo2_ = nullptr;
  QLabel* lblInfo3_ = nullptr;
  QLabel* lblInfo4_ = nullptr;
  QLabel* lblVers_ = nullptr;
  QPushButton* bttMail_ = nullptr;
  QPushButton* bttWWW_ = nullptr;
  QPushButton* bttOK_ = nullptr;
};

}  // namespace pebble::ui
