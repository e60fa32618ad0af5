// Start-up and shutdown of the program: the load and close routines of the
// main window.

#include <QAction>
#include <QCoreApplication>
#include <QPushButton>
#include <QScreen>
#include <cmath>
#include <stdexcept>

#include "app/AppCipher.h"
#include "app/AppContext.h"
#include "app/FrmMain.h"
#include "app/Tray.h"
#include "app/Twips.h"
#include "lock/PasswordGate.h"
#include "memos/MemoCommands.h"
#include "memos/Slots.h"
#include "settings/Numbers.h"
#include "settings/Settings.h"
#include "window/FloatingWindow.h"
#include "window/Topmost.h"

namespace kirimo {

namespace {

using settings::kFrmMain;
using settings::kMyData;

// Beyond any screen: a stored position this far out is damaged.
constexpr double kLargestPosition = 1e8;

// Any fault that must end start-up with its message.
struct StartupFailure : std::runtime_error {
  StartupFailure() : std::runtime_error("start-up failure") {}
};

QString StampFrom(const QDateTime& now) {
  const QDate d = now.date();
  const QTime t = now.time();
  return QString::asprintf("%02d/%02d/%02d/%02d:%02d", d.year() % 100, d.month(), d.day(),
                           t.hour(), t.minute());
}

}  // namespace

LoadResult FrmMain::Form_Load() {
  // Another copy for this user: say so and leave without touching anything.
  if (!ctx_.services.instanceLock.TryAcquire()) {
    ctx_.services.messages.Beep();
    SuspendTopmost(ctx_);
    ctx_.services.messages.Show(QStringLiteral("すでにプログラムが起動されています"),
                                MsgIcon::Warning, MsgButtons::Ok, /*systemModal=*/true);
    RestoreTopmost(ctx_);
    return LoadResult::Terminate;
  }

  bool failed = false;
  try {
    SettingsPathScope path(ctx_);
    RunStartupSteps(path.file());
  } catch (const std::exception&) {
    failed = true;
  }
  if (failed) {
    // Whatever was decoded before the failure must not stay in memory.
    ClearPlainSlots(ctx_);
    ShowMessage(ctx_, QStringLiteral("メインフォームロード時にエラーしました"), MsgIcon::Warning);
  }
  return LoadResult::Running;
}

void FrmMain::RunStartupSteps(const std::filesystem::path& file) {
  AppState& s = ctx_.state;

  auto text = [&](std::u16string_view key, std::u16string& field) {
    field = settings::ReadSetting(key, kMyData, file);
    keysRead_.emplace(key);
  };
  auto stored = [&](std::u16string_view key, std::u16string& field) {
    field = settings::ReadStoredText(key, kMyData, file);
  };
  auto number = [&](std::u16string_view key, auto& field, auto convert) {
    auto value = convert(settings::ReadSetting(key, kMyData, file));
    if (!value) {
      unusableKey_ = key;
      throw StartupFailure();
    }
    field = *value;
    keysRead_.emplace(key);
  };
  auto byte = [&](std::u16string_view key, std::uint8_t& field) {
    number(key, field, settings::ReadByteField);
  };

  byte(u"WINDOWFLAG", s.windowOpen);
  text(u"TE", s.windowTopmost);
  text(u"TEM", s.mainTopmost);
  text(u"WINHYOUJI", s.titleClickDisplay);
  for (int n = 1; n <= kSlotCount; ++n) stored(TitleKey(n), s.slotTitle[n]);
  text(u"TIMECASE", s.clockFormat);
  text(u"TIMEFLAG", s.clockOn);
  text(u"FNTSIZE", s.fontSizeCode);
  number(u"FUKKI", s.autoReturnSeconds, settings::ReadInt16Field);
  byte(u"PASSCHK", s.passwordRequired);
  stored(u"DAIMEI0", s.storedPassword);
  stored(u"SETTEI", s.passwordCopy);
  byte(u"SHYOKAI", s.firstStartDone);
  text(u"HIDUKE", s.installStamp);
  byte(u"FSI", s.wipeOnIntrusion);

  // The stamp is made once: every stored text carries it.
  if (s.installStamp.empty())
    s.installStamp = StampFrom(ctx_.services.clock.Now()).toStdU16String();

  PlaceWindow(file);

  for (int n = 1; n <= kSlotCount; ++n) s.slotTitle[n] = DecodeStored(ctx_, s.slotTitle[n]);
  const std::u16string firstCopyStored = s.storedPassword;
  const std::u16string secondCopyStored = s.passwordCopy;
  const bool firstCopyRead = DecodeInPlace(s.storedPassword);
  const bool secondCopyRead = DecodeInPlace(s.passwordCopy);
  const bool passwordReadable = firstCopyRead && secondCopyRead;

  if (s.passwordRequired == 1) RunStartupPasswordDialog(ctx_);

  // The second copy wins; both are stored anew, so they change at every
  // start. A password that could not be read, or not be stored again, is
  // left stored as it was: writing it back empty would silently remove the
  // lock.
  bool renewed = false;
  if (passwordReadable) {
    if (s.passwordCopy != s.storedPassword) s.storedPassword = s.passwordCopy;
    std::u16string first = EncodeStored(ctx_, s.storedPassword);
    std::u16string second = EncodeStored(ctx_, s.passwordCopy);
    renewed = first.empty() == s.storedPassword.empty() && second.empty() == s.passwordCopy.empty();
    WipeText(s.storedPassword);
    WipeText(s.passwordCopy);
    s.storedPassword = std::move(first);
    s.passwordCopy = std::move(second);
  }
  if (renewed) {
    settings::WriteSetting(s.storedPassword, u"DAIMEI0", kMyData, file);
    settings::WriteSetting(s.passwordCopy, u"SETTEI", kMyData, file);
  } else {
    // Both stay in their stored form, as after a normal start; nothing of
    // them lingers in plain.
    WipeText(s.storedPassword);
    WipeText(s.passwordCopy);
    s.storedPassword = firstCopyStored;
    s.passwordCopy = secondCopyStored;
  }

  s.startupComplete = true;
  AddTrayIcon(ctx_);
  RefreshSlotCaptions(ctx_);
  s.autoReturnCount = 601;
  ApplyAutoReturnMarks(ctx_);
  // Before the floating window first opens, the items follow its own
  // always-on-top flag, as they do whenever it is open.
  const bool windowOnTop = s.windowTopmost == u"t";
  mnuTemae->setEnabled(!windowOnTop);
  mnuTemaeKaijo->setEnabled(windowOnTop);
  mnuWClose->setEnabled(false);
  if (s.clockOn == u"t") cmdTime_Click();
  if (s.windowOpen == 1) OpenFloatingWindow(ctx_);
  ApplyTitleClickDisplay(ctx_);
  ApplyMainTopmost(ctx_);
  mnuClear->setEnabled(false);
  ApplyClockFormatMarks(ctx_);
  if (s.passwordRequired == 1) {
    mnuPass->setChecked(true);
    mnuFusei->setChecked(s.wipeOnIntrusion == 1);
  }
  if (s.windowOpen == 1) {
    ApplyFontSize(ctx_);
  } else if (QString caption = FontSizeCaption(s.fontSizeCode); !caption.isEmpty()) {
    cmdFont->setText(caption);
  }
  HideMainWindow(ctx_);
  ApplyWindowTopmost(ctx_);
  ClearPlainSlots(ctx_);
}

bool FrmMain::DecodeInPlace(std::u16string& text) {
  // A stored text never stands for an empty one, so an empty result from a
  // non-empty stored text means it could not be decoded (the decoder has
  // said so).
  const bool wasStored = !text.empty();
  text = DecodeStored(ctx_, text);
  return !(wasStored && text.empty());
}

void FrmMain::PlaceWindow(const std::filesystem::path& file) {
  // Qt knows the frame only once the window exists on screen; the size
  // without it is close enough for centring before that.
  const QSize size = frameGeometry().size().isEmpty() ? sizeHint() : frameGeometry().size();
  if (ctx_.state.firstStartDone != 0) {
    // Shutdown saves where the window is under each key that start-up has
    // come to: a stored position that cannot be used is replaced, so that
    // the next start succeeds, and one never read is kept.
    auto position = [&](std::u16string_view key) {
      ++positionKeysToSave_;
      auto value = settings::StrictNumber(settings::ReadSetting(key, kFrmMain, file));
      if (!value || !(std::abs(*value) <= kLargestPosition)) throw StartupFailure();
      return TwipsToPixels(*value);
    };
    move(position(u"LEFT"), y());
    move(x(), position(u"TOP"));
  } else {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize screenSize = screen ? screen->geometry().size() : QSize(1024, 768);
    const double top = (PixelsToTwips(screenSize.height()) - PixelsToTwips(size.height())) / 2;
    const double left = (PixelsToTwips(screenSize.width()) - PixelsToTwips(size.width())) / 2;
    move(TwipsToPixels(left), TwipsToPixels(top));
    positionKeysToSave_ = 2;
  }
}

void FrmMain::Form_QueryUnload() {
  SettingsPathScope path(ctx_);
  const auto& file = path.file();
  const AppState& s = ctx_.state;
  // Each write stands alone: one that fails does not keep the next from
  // being tried.
  auto write = [&](std::u16string_view key, std::u16string_view section,
                   const std::u16string& value) {
    try {
      settings::WriteSetting(value, key, section, file);
    } catch (const std::exception&) {
    }
  };
  auto writeIfRead = [&](std::u16string_view key, const std::u16string& value) {
    if (keysRead_.count(std::u16string(key))) write(key, kMyData, value);
  };

  const QPoint pos = frameGeometry().topLeft();
  if (positionKeysToSave_ >= 1)
    write(u"LEFT", kFrmMain, settings::FormatSingle(static_cast<float>(PixelsToTwips(pos.x()))));
  if (positionKeysToSave_ >= 2)
    write(u"TOP", kFrmMain, settings::FormatSingle(static_cast<float>(PixelsToTwips(pos.y()))));
  writeIfRead(u"TIMECASE", s.clockFormat);
  writeIfRead(u"FUKKI", settings::FormatInteger(s.autoReturnSeconds));
  writeIfRead(u"PASSCHK", settings::FormatInteger(s.passwordRequired));
  writeIfRead(u"WINHYOUJI", s.titleClickDisplay);
  writeIfRead(u"FNTSIZE", s.fontSizeCode);
  writeIfRead(u"TIMEFLAG", s.clockOn);
  writeIfRead(u"WINDOWFLAG", settings::FormatInteger(s.windowOpen));
  writeIfRead(u"SHYOKAI", settings::FormatInteger(s.firstStartDone));
  // A stamp is written only when it exists: an empty one would make every
  // stored text undecodable.
  if (!s.installStamp.empty()) write(u"HIDUKE", kMyData, s.installStamp);
  writeIfRead(u"FSI", settings::FormatInteger(s.wipeOnIntrusion));
  // A number that start-up could not use gets its default back (each of
  // them is 0, which switches nothing on), or every start would fail on it.
  if (!unusableKey_.empty()) write(unusableKey_, kMyData, u"0");
  RemoveTrayIcon(ctx_);
}

void FrmMain::UnloadOtherWindows() {
  // frmAbout and frmPass join here, in this order, as they arrive.
  UnloadEntryDialog(ctx_);
  UnloadFloatingWindow(ctx_);
}

void FrmMain::Form_Unload() {
  UnloadOtherWindows();
  // The main window may be hidden in the tray: its close is the end.
  QCoreApplication::quit();
}

void FrmMain::cmdEnd_Click() {
  // The other windows go first, so the floating window's unload is saved
  // as closed.
  UnloadOtherWindows();
  close();
}

}  // namespace kirimo
