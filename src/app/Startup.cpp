// Start-up and shutdown of the program: the load and close routines of the
// main window, step by step.

#include "app/Startup.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

#include "app/AppCipher.h"
#include "app/AppContext.h"
#include "app/Command.h"
#include "app/Tray.h"
#include "app/Twips.h"
#include "lock/Lock.h"
#include "memos/Slots.h"
#include "settings/Numbers.h"
#include "settings/Settings.h"
#include "window/FloatingWindow.h"
#include "window/Placement.h"
#include "window/Topmost.h"

namespace kirimo {

namespace {

using settings::kFrmMain;
using settings::kMyData;

// Beyond any screen: a stored position this far out is damaged.
constexpr double kLargestPosition = 1e8;

QString StampFrom(const QDateTime& now) {
  const QDate d = now.date();
  const QTime t = now.time();
  return QString::asprintf("%02d/%02d/%02d/%02d:%02d", d.year() % 100, d.month(), d.day(), t.hour(),
                           t.minute());
}

// Replaces a stored text by its plain form; false when it could not be
// decoded. A stored text never stands for an empty one, so an empty result
// from a non-empty stored text means it could not be decoded (the decoder
// has said so).
bool DecodeInPlace(AppContext& ctx, std::u16string& text) {
  const bool wasStored = !text.empty();
  text = DecodeStored(ctx, text);
  return !(wasStored && text.empty());
}

// Step 3: every key in its order, into its field.
void ReadSettings(AppContext& ctx, const SettingsAccess& settings) {
  AppState& s = ctx.state;
  StartupRecord& record = ctx.startup;
  auto text = [&](std::u16string_view key, std::u16string& field) {
    field = settings.Read(key);
    record.keysRead.emplace(key);
  };
  auto stored = [&](std::u16string_view key, std::u16string& field) {
    field = settings.ReadStored(key);
  };
  auto number = [&](std::u16string_view key, auto& field, auto convert) {
    auto value = convert(settings.Read(key));
    if (!value) {
      record.unusableKey = key;
      FailCommand();
    }
    field = *value;
    record.keysRead.emplace(key);
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
}

// Step 5.
void PlaceMainWindow(AppContext& ctx, const SettingsAccess& settings) {
  QWidget* w = ctx.windows.frmMain;
  // The design's height and width include the frame. Qt knows the frame once
  // the native window exists (on some desktops only once it is mapped); the
  // size without it is close enough for centring before that.
  w->winId();
  const QSize size =
      w->frameGeometry().size().isEmpty() ? w->sizeHint() : w->frameGeometry().size();
  if (ctx.state.firstStartDone != 0) {
    // Shutdown saves where the window is under each key that start-up has
    // come to: a stored position that cannot be used is replaced, so that
    // the next start succeeds, and one never read is kept.
    auto position = [&](std::u16string_view key) {
      ++ctx.startup.positionKeysToSave;
      auto value = settings::StrictNumber(settings.Read(key, kFrmMain));
      if (!value || !(std::abs(*value) <= kLargestPosition)) FailCommand();
      return TwipsToPixels(*value);
    };
    w->move(position(u"LEFT"), w->y());
    w->move(w->x(), position(u"TOP"));
  } else {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize screenSize = screen ? screen->geometry().size() : QSize(1024, 768);
    const double top = (PixelsToTwips(screenSize.height()) - PixelsToTwips(size.height())) / 2;
    const double left = (PixelsToTwips(screenSize.width()) - PixelsToTwips(size.width())) / 2;
    w->move(TwipsToPixels(left), TwipsToPixels(top));
    ctx.startup.positionKeysToSave = 2;
  }
  // A position from a larger or a since unplugged screen, or a window taller
  // than a scaled-up screen, must still leave the title bar within reach.
  KeepOnScreen(w, QRect(w->pos(), size));
}

// Steps 6 (the password part) to 8.
void RenewPasswordCopies(AppContext& ctx, const SettingsAccess& settings) {
  AppState& s = ctx.state;
  const std::u16string firstCopyStored = s.storedPassword;
  const std::u16string secondCopyStored = s.passwordCopy;
  const bool firstCopyRead = DecodeInPlace(ctx, s.storedPassword);
  const bool secondCopyRead = DecodeInPlace(ctx, s.passwordCopy);
  const bool passwordReadable = firstCopyRead && secondCopyRead;

  if (s.passwordRequired == 1) RunStartupPasswordDialog(ctx);

  // The second copy wins; both are stored anew, so they change at every
  // start. A password that could not be read, or not be stored again, is
  // left stored as it was: writing it back empty would silently remove the
  // lock.
  bool renewed = false;
  if (passwordReadable) {
    if (s.passwordCopy != s.storedPassword) s.storedPassword = s.passwordCopy;
    std::u16string first = EncodeStored(ctx, s.storedPassword);
    std::u16string second = EncodeStored(ctx, s.passwordCopy);
    renewed = first.empty() == s.storedPassword.empty() && second.empty() == s.passwordCopy.empty();
    WipeText(s.storedPassword);
    WipeText(s.passwordCopy);
    s.storedPassword = std::move(first);
    s.passwordCopy = std::move(second);
  }
  if (renewed) {
    settings.TryWrite(s.storedPassword, u"DAIMEI0");
    settings.TryWrite(s.passwordCopy, u"SETTEI");
  } else {
    // Both stay in their stored form, as after a normal start; nothing of
    // them lingers in plain.
    WipeText(s.storedPassword);
    WipeText(s.passwordCopy);
    s.storedPassword = firstCopyStored;
    s.passwordCopy = secondCopyStored;
  }
}

void RunStartupSteps(AppContext& ctx, const SettingsAccess& settings) {
  AppState& s = ctx.state;
  // Whatever was decoded must not stay in memory, however start-up ends.
  const PlainSlotsGuard plainSlots(ctx);

  ReadSettings(ctx, settings);  // 3
  // The stamp is made once: every stored text carries it.             // 4
  if (s.installStamp.empty()) s.installStamp = StampFrom(ctx.services.clock.Now()).toStdU16String();
  PlaceMainWindow(ctx, settings);                                                            // 5
  for (int n = 1; n <= kSlotCount; ++n) s.slotTitle[n] = DecodeStored(ctx, s.slotTitle[n]);  // 6
  RenewPasswordCopies(ctx, settings);                                                        // 6-8
  s.startupComplete = true;                                                                  // 9
  AddTrayIcon(ctx);                                                                          // 10
  RefreshSlotCaptions(ctx);                                                                  // 11
  s.autoReturnCount = 601;                                                                   // 12
  ApplyAutoReturnMarks(ctx);                                                                 // 13
  InitTopmostItems(ctx);                                                                     // 14
  EnableWindowClose(ctx, false);                                                             // 15
  if (s.clockOn == u"t") ToggleClock(ctx);                                                   // 16
  if (s.windowOpen == 1) OpenFloatingWindow(ctx);                                            // 17
  ApplyTitleClickDisplay(ctx);                                                               // 18
  ApplyMainTopmost(ctx);                                                                     // 19
  EnableWindowClear(ctx, false);                                                             // 20
  ApplyClockFormatMarks(ctx);                                                                // 21
  ApplyLockMarks(ctx);                                                                       // 22
  if (s.windowOpen == 1)                                                                     // 23
    ApplyFontSize(ctx);
  else
    ApplyFontSizeCaption(ctx);
  HideMainWindow(ctx);      // 24
  ApplyWindowTopmost(ctx);  // 25
}  // 26: the guard

}  // namespace

LoadResult MainFormLoad(AppContext& ctx) {
  // Another copy for this user: say so and leave without touching anything.
  if (!ctx.services.instanceLock.TryAcquire()) {
    ctx.services.messages.Beep();
    ShowMessage(ctx, QStringLiteral("すでにプログラムが起動されています"), MsgIcon::Warning,
                MsgButtons::Ok, BoxStyle::kSystemModal);
    return LoadResult::Terminate;
  }
  RunCommand(ctx, QStringLiteral("メインフォームロード時にエラーしました"),
             [&](SettingsAccess& settings) { RunStartupSteps(ctx, settings); });
  return LoadResult::Running;
}

void MainFormQueryUnload(AppContext& ctx) {
  StartupRecord& record = ctx.startup;
  if (record.shutdownDone) return;
  record.shutdownDone = true;
  SettingsAccess settings(ctx);
  const AppState& s = ctx.state;
  // Each write stands alone: one that fails does not keep the next from
  // being tried.
  auto write = [&](std::u16string_view key, std::u16string_view section,
                   const std::u16string& value) {
    try {
      settings.TryWrite(value, key, section);
    } catch (const std::exception&) {
    }
  };
  auto writeIfRead = [&](std::u16string_view key, const std::u16string& value) {
    if (record.keysRead.count(key)) write(key, kMyData, value);
  };

  const QPoint pos = ctx.windows.frmMain->frameGeometry().topLeft();
  if (record.positionKeysToSave >= 1)
    write(u"LEFT", kFrmMain, settings::FormatSingle(static_cast<float>(PixelsToTwips(pos.x()))));
  if (record.positionKeysToSave >= 2)
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
  if (!record.unusableKey.empty()) write(record.unusableKey, kMyData, u"0");
  RemoveTrayIcon(ctx);
}

void MainFormUnload(AppContext& ctx) {
  ctx.windows.ending = true;
  UnloadOtherWindows(ctx);
  // The main window may be hidden in the tray: its close is the end.
  QCoreApplication::quit();
}

void EndProgram(AppContext& ctx) {
  ctx.windows.ending = true;
  UnloadOtherWindows(ctx);
  if (ctx.windows.frmMain) ctx.windows.frmMain->close();
}

}  // namespace kirimo
