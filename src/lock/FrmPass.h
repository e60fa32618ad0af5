#pragma once
// The password dialog: asked at start-up while the lock is on, before any
// memo title is visible. It sets the first password, lets the user in with
// the right one, and changes the password in three clicks. It exists only
// during start-up.

#include <QDialog>
#include <string>
#include <string_view>

class QLineEdit;
class QPushButton;

namespace kirimo {

struct AppContext;
struct RuleViolation;
enum class PasswordButton;

class FrmPass : public QDialog {
  Q_OBJECT

 public:
  // How the dialog ended.
  enum class Outcome {
    kOpen,         // still shown
    kLoggedIn,     // the right password was given
    kPasswordSet,  // a first password was set, or the password changed
    kClosedByUser  // its close box: the program ends
  };

  explicit FrmPass(AppContext& ctx);
  ~FrmPass() override;

  void Form_Load();
  Outcome outcome() const { return outcome_; }

 public slots:
  void Command1_Click();
  void Command2_Click();

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Escape is not a way out: the close box is the only one, and it ends the
  // program.
  void reject() override;

 private:
  void BuildControls();
  void Unload(Outcome outcome);
  void Form_QueryUnload();
  // Shows the first broken rule, if any; true when one was broken (or
  // nothing was typed).
  bool BreaksRules(std::u16string_view typed, PasswordButton button);
  void ShowRuleMessage(const RuleViolation& violation);
  // Both copies become the password.
  void TakePassword(std::u16string_view password);
  void Info(const QString& text);
  // The typed text in the form it would be stored in.
  std::u16string TypedText();

  AppContext& ctx_;
  Outcome outcome_ = Outcome::kOpen;
  bool passwordSet_ = false;

  QLineEdit* Text1;
  QPushButton* Command1;
  QPushButton* Command2;
};

}  // namespace kirimo
