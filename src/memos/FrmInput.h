#pragma once
// The memo entry dialog: gives an empty slot a title and a content. It is
// modeless and exists only from the recall of an empty slot until it stores
// the memo or is cancelled.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kirimo {

struct AppContext;

class FrmInput : public QDialog {
  Q_OBJECT

 public:
  explicit FrmInput(AppContext& ctx);
  ~FrmInput() override;

  // Marks the dialog open, stops the main window's timer and names the slot
  // in the caption; called once, before the dialog is first shown.
  void Form_Load();

  // False once the dialog has closed; it is then only waiting to be deleted.
  bool IsLoaded() const { return loaded_; }

 public slots:
  void cmdOk_Click();
  void cmdReset_Click();
  void cmdCancel_Click();

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Escape, and every other way QDialog has of ending, is a plain close.
  void reject() override;
  void done(int result) override;

 private:
  void BuildControls();
  void Unload();
  void Form_QueryUnload();
  void Form_Unload();
  void EmptyTextBoxes();

  AppContext& ctx_;
  bool loaded_ = false;

  QLabel* Label1;
  QLineEdit* Text1;
  QLabel* Label2;
  QLineEdit* Text2;
  QPushButton* cmdOk;
  QPushButton* cmdReset;
  QPushButton* cmdCancel;
};

// Opens the dialog for ctx.state.pendingSlot, centred on the screen, and
// returns at once.
void OpenEntryDialog(AppContext& ctx);

// The open entry dialog, or nullptr when none is open.
FrmInput* FindEntryDialog(AppContext& ctx);

}  // namespace kirimo
