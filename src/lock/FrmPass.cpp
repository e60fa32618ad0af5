#include "lock/FrmPass.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "app/AppContext.h"
#include "app/Command.h"
#include "app/Twips.h"
#include "cipher/TextRules.h"

namespace kirimo {

namespace {

constexpr int kClientWidth = 4605;
constexpr int kClientHeight = 1110;
// Characters, not bytes: a kanji counts as one, as in the other boxes.
constexpr int kPasswordMaxLength = 25;

// The rules whose messages step in front of the always-on-top windows; the
// others, like the dialog's own messages, are shown as they come.
bool ShownBetweenTopmostPair(RuleKind kind) {
  return kind == RuleKind::kHalfWidthKatakana || kind == RuleKind::kUnusableCharacter ||
         kind == RuleKind::kAmpersand;
}

}  // namespace

FrmPass::FrmPass(AppContext& ctx) : QDialog(nullptr), ctx_(ctx) {
  setObjectName(QStringLiteral("frmPass"));
  setWindowTitle(QStringLiteral("パスワードの入力"));
  setWindowIcon(QIcon(QStringLiteral(":/kirimo/app.xpm")));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  BuildControls();
}

FrmPass::~FrmPass() = default;

void FrmPass::BuildControls() {
  setFixedSize(TwipsToPixels(kClientWidth), TwipsToPixels(kClientHeight));

  // Shown as typed: a new password is typed only once, so a hidden box
  // would let one typo lock the user out for good; and hidden boxes switch
  // most Japanese input methods off, while a password may hold kanji.
  Text1 = new QLineEdit(this);
  Text1->setObjectName(QStringLiteral("Text1"));
  Text1->setMaxLength(kPasswordMaxLength);
  Text1->setGeometry(TwipsRect(120, 120, 4335, 270));

  auto button = [this](const char* name, const QString& caption, QRect twips) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(TwipsRect(twips));
    return b;
  };
  Command1 = button("Command1", QStringLiteral("OK"), QRect(3600, 600, 855, 375));
  Command2 = button("Command2", QStringLiteral("パスワードの変更"), QRect(1800, 600, 1695, 375));
  Command1->setDefault(true);

  setTabOrder(Text1, Command1);
  setTabOrder(Command1, Command2);
  Text1->setFocus();

  connect(Command1, &QPushButton::clicked, this, &FrmPass::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &FrmPass::Command2_Click);

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
  }
}

void FrmPass::Form_Load() {
  // Without a password there is nothing to change yet.
  if (!ctx_.state.storedPassword.empty()) {
    Command2->setEnabled(true);
  } else {
    Text1->setText(QString());
    Command2->setEnabled(false);
  }
}

std::u16string FrmPass::TypedText() {
  // Input methods outside Windows type a few characters with code points
  // that code page 932 cannot store; the box shows what is actually kept,
  // so the password typed is the one stored.
  std::u16string typed = NormalizeJisInput(Text1->text().toStdU16String());
  if (const QString shown = QString::fromStdU16String(typed); shown != Text1->text())
    Text1->setText(shown);
  return typed;
}

bool FrmPass::BreaksRules(std::u16string_view typed, PasswordButton button) {
  const auto violation = CheckPassword(typed, button);
  if (violation && !violation->IsSilent()) ShowRuleMessage(*violation);
  return violation.has_value();
}

void FrmPass::TakePassword(std::u16string_view password) {
  // The dialog always sets both copies together.
  ctx_.state.passwordCopy = password;
  ctx_.state.storedPassword = password;
  passwordSet_ = true;
}

void FrmPass::ShowRuleMessage(const RuleViolation& violation) {
  ShowMessage(
      ctx_, QString::fromStdU16String(violation.message), violation.icon, MsgButtons::Ok,
      ShownBetweenTopmostPair(violation.kind) ? BoxStyle::kNormal : BoxStyle::kWithoutTopmostPair);
}

void FrmPass::Info(const QString& text) {
  ShowMessage(ctx_, text, MsgIcon::Information, MsgButtons::Ok, BoxStyle::kWithoutTopmostPair);
}

void FrmPass::Command1_Click() {
  if (outcome_ != Outcome::kOpen) return;
  AppState& s = ctx_.state;
  bool again = false;
  RunCommand(ctx_, QStringLiteral("エラーしました1"), [&](SettingsAccess&) {
    std::u16string typed = TypedText();
    const WipeAtExit wipeTyped(typed);
    if (BreaksRules(typed, PasswordButton::Ok)) return;
    if (s.changingPassword) {
      TakePassword(typed);
      s.changingPassword = false;
      Info(QStringLiteral("パスワードが変更されました"));
      // The box now holds the password in force: the next round lets the
      // user in.
      again = true;
    } else if (!s.storedPassword.empty()) {
      if (typed == s.storedPassword) {
        Unload(passwordSet_ ? Outcome::kPasswordSet : Outcome::kLoggedIn);
      } else {
        // Neither counted nor limited: a wrong entry is no intrusion.
        Info(QStringLiteral("パスワードが違います"));
      }
    } else {
      // The first valid entry becomes the password.
      TakePassword(typed);
      Unload(Outcome::kPasswordSet);
    }
  });
  if (again) Command1_Click();
}

void FrmPass::Command2_Click() {
  if (outcome_ != Outcome::kOpen) return;
  AppState& s = ctx_.state;
  bool finish = false;
  RunCommand(ctx_, QStringLiteral("エラーしました2"), [&](SettingsAccess&) {
    std::u16string typed = TypedText();
    const WipeAtExit wipeTyped(typed);
    if (BreaksRules(typed, PasswordButton::ChangePassword)) return;
    if (s.changingPassword) {
      TakePassword(TrimHalfWidthSpaces(typed));
      s.changingPassword = false;
      Info(QStringLiteral("パスワードが変更されました"));
      finish = true;
    } else if (typed == s.passwordCopy) {
      Info(QStringLiteral("パスワードを確認しました新しいパスワードを入力して下さい"));
      s.changingPassword = true;
      Text1->setText(QString());
    } else {
      Info(QStringLiteral("以前のパスワードを入力して下さい"));
      Text1->setText(QString());
    }
  });
  if (finish) Command1_Click();
}

void FrmPass::closeEvent(QCloseEvent* event) {
  // Closed by the user (close box, Alt+F4, the window manager): the
  // program ends without writing anything.
  if (outcome_ == Outcome::kOpen) Unload(Outcome::kClosedByUser);
  event->accept();
}

void FrmPass::reject() {}

void FrmPass::Unload(Outcome outcome) {
  outcome_ = outcome;
  Form_QueryUnload();
  QDialog::done(outcome == Outcome::kClosedByUser ? Rejected : Accepted);
}

void FrmPass::Form_QueryUnload() {
  // setText, unlike clear(), also drops the undo history, which would
  // otherwise keep the password.
  Text1->setText(QString());
}

}  // namespace kirimo
