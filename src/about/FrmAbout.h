#pragma once
// The about box: the program's name, its version and what it is for. It is
// modeless, has no owner, and exists only from the version command until it
// is closed; while it is open the main window is hidden.

#include <QDialog>

class QLabel;
class QPushButton;

namespace kirimo {

struct AppContext;

class FrmAbout : public QDialog {
  Q_OBJECT

 public:
  explicit FrmAbout(AppContext& ctx);
  ~FrmAbout() override;

  // Fills the caption and the labels from the build's own values.
  void Form_Load();
  // False once the box has closed; it is then only waiting to be deleted.
  bool IsLoaded() const { return !unloaded_; }

 public slots:
  void cmdOK_Click();

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Enter, Escape and every other way QDialog has of ending are a close.
  void done(int result) override;

 private:
  void BuildControls();
  void Form_QueryUnload();

  AppContext& ctx_;
  bool unloaded_ = false;

  QLabel* picIcon;
  QLabel* lblTitle;
  QLabel* lblVersion;
  QLabel* lblDescription;
  QPushButton* cmdOK;
};

// The version label's text, "ﾊﾞｰｼﾞｮﾝ 1.1.7".
QString VersionCaption();

// mnuVersion: hides the main window and shows the about box (an open one is
// brought forward).
void ShowAboutBox(AppContext& ctx);

}  // namespace kirimo
