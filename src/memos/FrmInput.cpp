#include "memos/FrmInput.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <string>
#include <string_view>

#include "app/AppCipher.h"
#include "app/AppContext.h"
#include "app/Command.h"
#include "app/Tray.h"
#include "app/Twips.h"
#include "cipher/TextRules.h"
#include "memos/Slots.h"

namespace kirimo {

namespace {

constexpr int kClientWidth = 7080;
constexpr int kClientHeight = 2100;
constexpr int kTitleMaxLength = 30;
constexpr int kContentMaxLength = 510;

// A plain title or content that must not outlive the handler, whichever way
// the handler is left.
struct PlainText {
  explicit PlainText(std::u16string t) : text(std::move(t)) {}
  ~PlainText() { WipeText(text); }
  PlainText(const PlainText&) = delete;
  PlainText& operator=(const PlainText&) = delete;
  std::u16string text;
};

}  // namespace

FrmInput::FrmInput(AppContext& ctx) : QDialog(nullptr), ctx_(ctx) {
  setObjectName(QStringLiteral("frmInput"));
  setWindowTitle(QStringLiteral("テキスト入力"));
  setWindowIcon(QIcon(QStringLiteral(":/kirimo/app.xpm")));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  BuildControls();
}

FrmInput::~FrmInput() = default;

void FrmInput::BuildControls() {
  setFixedSize(TwipsToPixels(kClientWidth), TwipsToPixels(kClientHeight));

  auto label = [this](const char* name, const QString& caption, QRect twips) {
    auto* l = new QLabel(caption, this);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(TwipsRect(twips));
    return l;
  };
  auto textBox = [this](const char* name, int maxLength, QRect twips) {
    auto* t = new QLineEdit(this);
    t->setObjectName(QString::fromLatin1(name));
    t->setMaxLength(maxLength);
    t->setGeometry(TwipsRect(twips));
    return t;
  };
  auto button = [this](const char* name, const QString& caption, QRect twips) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(TwipsRect(twips));
    return b;
  };

  Label1 = label("Label1", QStringLiteral("メモの題名"), QRect(240, 240, 975, 255));
  Text1 = textBox("Text1", kTitleMaxLength, QRect(1200, 120, 2895, 375));
  Label2 = label("Label2", QStringLiteral("メモする内容"), QRect(240, 720, 1095, 255));
  Text2 = textBox("Text2", kContentMaxLength, QRect(240, 960, 6615, 375));
  // The labels name the boxes, for screen readers too.
  Label1->setBuddy(Text1);
  Label2->setBuddy(Text2);
  Text1->setAccessibleName(Label1->text());
  Text2->setAccessibleName(Label2->text());
  cmdOk = button("cmdOk", QStringLiteral("OK"), QRect(4440, 1560, 1215, 375));
  cmdReset = button("cmdReset", QStringLiteral("リセット"), QRect(3120, 1560, 1215, 375));
  cmdCancel = button("cmdCancel", QStringLiteral("キャンセル"), QRect(5760, 1560, 1095, 375));
  // Enter in either box confirms, as in any dialog.
  cmdOk->setDefault(true);

  // The labels take no focus; the rest follow their tab indexes.
  setTabOrder(Text1, cmdOk);
  setTabOrder(cmdOk, cmdCancel);
  setTabOrder(cmdCancel, Text2);
  setTabOrder(Text2, cmdReset);
  Text1->setFocus();

  connect(cmdOk, &QPushButton::clicked, this, &FrmInput::cmdOk_Click);
  connect(cmdReset, &QPushButton::clicked, this, &FrmInput::cmdReset_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &FrmInput::cmdCancel_Click);
}

void FrmInput::Form_Load() {
  AppState& s = ctx_.state;
  loaded_ = true;
  s.entryDialogOpen = true;
  if (QTimer* timer = ctx_.ui.shell.Timer1) timer->stop();
  if (s.pendingSlot >= 1 && s.pendingSlot <= kSlotCount)
    setWindowTitle(EmptyMemoCaption(s.pendingSlot) + QStringLiteral("入力"));
}

void FrmInput::cmdOk_Click() {
  if (!loaded_) return;
  AppState& s = ctx_.state;
  bool stored = false;
  // A memo that cannot be stored stays in the dialog, so that the user can
  // try again once the file can be written.
  RunCommand(
      ctx_, QStringLiteral("入力時ＩＮＩファイルに書き込みできませんでした"),
      [&](SettingsAccess& settings) {
        // Some input methods type a few characters with code points that code
        // page 932 cannot store; the boxes show what will actually be kept.
        PlainText title(NormalizeJisInput(Text1->text().toStdU16String()));
        PlainText content(NormalizeJisInput(Text2->text().toStdU16String()));
        if (const QString shown = QString::fromStdU16String(title.text); shown != Text1->text())
          Text1->setText(shown);
        if (const QString shown = QString::fromStdU16String(content.text); shown != Text2->text())
          Text2->setText(shown);

        if (const auto violation = CheckMemoEntry(title.text, content.text)) {
          if (!violation->IsSilent())
            ShowMessage(ctx_, QString::fromStdU16String(violation->message), violation->icon);
          return;
        }
        const int slot = s.pendingSlot;
        if (slot < 1 || slot > kSlotCount) return;
        title.text = TrimHalfWidthSpaces(title.text);
        content.text = TrimHalfWidthSpaces(content.text);

        settings.RequireWritable();
        // Both texts are enciphered before anything changes: a text the cipher
        // cannot store must neither empty the slot nor cost the user what they
        // typed. The cipher has already said why; the dialog stays as it is.
        const std::u16string storedContent = EncodeStored(ctx_, content.text);
        if (storedContent.empty()) return;
        const std::u16string storedTitle = EncodeStored(ctx_, title.text);
        if (storedTitle.empty()) return;

        // The title goes last: it is what makes a slot a memo, so a failure
        // between the two writes leaves a slot that still reads as empty.
        settings.Write(storedContent, ContentKey(slot));
        settings.Write(storedTitle, TitleKey(slot));
        s.slotTitle[slot] = title.text;
        RefreshSlotCaptions(ctx_);
        ClearPlainSlots(ctx_);
        stored = true;
      });
  if (stored) close();
}

void FrmInput::cmdReset_Click() { EmptyTextBoxes(); }

void FrmInput::cmdCancel_Click() { close(); }

void FrmInput::closeEvent(QCloseEvent* event) {
  Unload();
  event->accept();
}

void FrmInput::reject() { close(); }

void FrmInput::done(int) { close(); }

void FrmInput::Unload() {
  if (!loaded_) return;
  loaded_ = false;
  Form_QueryUnload();
  Form_Unload();
  // Deleting right away could pull the dialog from under the handler that
  // closed it (a click on one of its own buttons).
  deleteLater();
}

void FrmInput::Form_QueryUnload() {
  AppState& s = ctx_.state;
  s.entryDialogOpen = false;
  s.pendingSlot = 0;
  EmptyTextBoxes();
  // Cancelled or stored, no plain text stays behind in the buffers.
  ClearPlainSlots(ctx_);
  // At the program's end, bringing the main window back for a moment
  // would only make it flash.
  if (!s.mainWasHidden && !ctx_.windows.ending) RestoreMainWindow(ctx_);
}

void FrmInput::Form_Unload() {
  if (QTimer* timer = ctx_.ui.shell.Timer1) timer->start();
  ctx_.state.mainWasHidden = false;
}

void FrmInput::EmptyTextBoxes() {
  // setText, unlike clear(), also drops the undo history, which would
  // otherwise keep the typed text.
  Text1->setText(QString());
  Text2->setText(QString());
}

void OpenEntryDialog(AppContext& ctx) {
  if (!ctx.windows.frmMain || FindEntryDialog(ctx)) return;
  // A top-level window of its own, with its own taskbar entry, so that it
  // stays within reach while the main window sits in the tray; the window
  // registry keeps track of it until it goes.
  auto* dialog = new FrmInput(ctx);
  ctx.windows.frmInput = dialog;
  dialog->Form_Load();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    dialog->move(area.x() + (area.width() - dialog->width()) / 2,
                 area.y() + (area.height() - dialog->height()) / 2);
  }
  dialog->show();
  dialog->raise();
  dialog->activateWindow();
}

FrmInput* FindEntryDialog(AppContext& ctx) {
  auto* dialog = qobject_cast<FrmInput*>(ctx.windows.frmInput.data());
  return dialog && dialog->IsLoaded() ? dialog : nullptr;
}

}  // namespace kirimo
