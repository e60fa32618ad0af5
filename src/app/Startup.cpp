// Start-up and shutdown of the program: the load and close routines of the
// main window, step by step.

#include "app/Startup.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>
#include <optional>
#include <vector>

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

// Step 4. The stamp is made once: every stored text carries it. It is
// stored at once, before any memo can be entered under it: a run that ends
// without its shutdown (a kill, a power cut, a broken X connection) would
// otherwise leave memos that no later start can decode. A stamp that has
// appeared in the file meanwhile (a backup copied into place) is never
// replaced; the file's stamp is the one in force.
void MakeInstallStamp(AppContext& ctx, const SettingsAccess& settings) {
  AppState& s = ctx.state;
  s.installStamp = StampFrom(ctx.services.clock.Now()).toStdU16String();
  const settings::SettingWrite stamp{kMyData, u"HIDUKE", s.installStamp, /*onlyIfMissing=*/true};
  settings.TryWriteAll({&stamp, 1});
  if (std::u16string stored = settings.Read(u"HIDUKE"); !stored.empty())
    s.installStamp = std::move(stored);
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
    auto usable = [&](std::u16string_view key) -> std::optional<double> {
      auto value = settings::StrictNumber(settings.Read(key, kFrmMain));
      if (!value || !(std::abs(*value) <= kLargestPosition)) return std::nullopt;
      return value;
    };
    auto position = [&](std::u16string_view key) {
      ++ctx.startup.positionKeysToSave;
      const auto value = usable(key);
      if (!value) {
        // A "TOP" that cannot be used either is healed with "LEFT", or
        // the next start would fail on it; a usable one is kept.
        if (key == u"LEFT" && !usable(u"TOP")) ctx.startup.positionKeysToSave = 2;
        FailCommand();
      }
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

// Steps 6 (the password part) to 8; false when the user closed the password
// dialog and the program must end.
bool RenewPasswordCopies(AppContext& ctx, const SettingsAccess& settings) {
  AppState& s = ctx.state;
  const std::u16string firstCopyStored = s.storedPassword;
  const std::u16string secondCopyStored = s.passwordCopy;
  const bool firstCopyRead = DecodeInPlace(ctx, s.storedPassword);
  const bool secondCopyRead = DecodeInPlace(ctx, s.passwordCopy);
  const bool passwordReadable = firstCopyRead && secondCopyRead;

  bool passwordSet = false;
  if (s.passwordRequired == 1) {
    const PasswordDialogResult result = RunStartupPasswordDialog(ctx);
    if (result == PasswordDialogResult::kClosed) {
      // Nothing is written: the password stays as it was.
      WipeText(s.storedPassword);
      WipeText(s.passwordCopy);
      return false;
    }
    passwordSet = result == PasswordDialogResult::kPasswordSet;
  }
  ctx.startup.lockOpened = true;

  // The second copy wins; both are stored anew, so they change at every
  // start, in one write with the seal that vouches for them. A password that
  // could not be read, or not be stored again, is left stored as it was:
  // writing it back empty would silently remove the lock.
  bool renewed = false;
  std::u16string first, second, seal;
  if (passwordReadable) {
    if (s.passwordCopy != s.storedPassword) s.storedPassword = s.passwordCopy;
    first = EncodeStored(ctx, s.storedPassword);
    second = EncodeStored(ctx, s.passwordCopy);
    seal = MakeSeal(ctx, s.passwordCopy, first, second);
    renewed = first.empty() == s.storedPassword.empty() && second.empty() == s.passwordCopy.empty();
  }
  WipeText(s.storedPassword);
  WipeText(s.passwordCopy);
  if (renewed) {
    const settings::SettingWrite writes[] = {
        {kMyData, u"DAIMEI0", first}, {kMyData, u"SETTEI", second}, {kMyData, u"FUUIN", seal}};
    renewed = settings.TryWriteAll(writes);
  }
  if (renewed) {
    s.storedPassword = std::move(first);
    s.passwordCopy = std::move(second);
    return true;
  }
  // Both stay in their stored form, as after a normal start. A password
  // just set or changed that did not reach the file is not in force, and
  // the user must know; an unchanged one stays silent, so that a read-only
  // file still opens.
  s.storedPassword = firstCopyStored;
  s.passwordCopy = secondCopyStored;
  if (passwordSet)
    ShowMessage(ctx, QStringLiteral("入力時ＩＮＩファイルに書き込みできませんでした"),
                MsgIcon::Warning);
  return true;
}

LoadResult RunStartupSteps(AppContext& ctx, const SettingsAccess& settings) {
  AppState& s = ctx.state;
  // Whatever was decoded must not stay in memory, however start-up ends
  // (the last step).
  const PlainSlotsGuard plainSlots(ctx);

  // Something there that cannot be read is no empty file: taken for one,
  // this run would make a new stamp and write it and the defaults over the
  // stored ones, and every memo would be lost. Nothing is written this run.
  if (settings::CheckSettingsFile(settings.file()) == settings::FileState::kUnreadable) {
    ctx.startup.settingsUnreadable = true;
    FailCommand();
  }
  // A write killed midway leaves a full copy of the settings beside the
  // file, in which a memo reset since would still be readable.
  settings::RemoveStaleTemporaryFiles(settings.file());

  // Steps 3 to 9.
  ReadSettings(ctx, settings);
  if (s.installStamp.empty()) MakeInstallStamp(ctx, settings);
  if (StopIntrusion(ctx, settings)) return LoadResult::Terminate;
  PlaceMainWindow(ctx, settings);
  for (int n = 1; n <= kSlotCount; ++n) s.slotTitle[n] = DecodeStored(ctx, s.slotTitle[n]);
  if (!RenewPasswordCopies(ctx, settings)) return LoadResult::Terminate;
  s.startupComplete = true;

  // Steps 10 to 25.
  AddTrayIcon(ctx);
  RefreshSlotCaptions(ctx);
  s.autoReturnCount = 601;
  ApplyAutoReturnMarks(ctx);
  InitTopmostItems(ctx);
  EnableWindowClose(ctx, false);
  if (s.clockOn == u"t") ToggleClock(ctx);
  if (s.windowOpen == 1) OpenFloatingWindow(ctx);
  ApplyTitleClickDisplay(ctx);
  ApplyMainTopmost(ctx);
  EnableWindowClear(ctx, false);
  ApplyClockFormatMarks(ctx);
  ApplyLockMarks(ctx);
  if (s.windowOpen == 1)
    ApplyFontSize(ctx);
  else
    ApplyFontSizeCaption(ctx);
  HideMainWindow(ctx);
  ApplyWindowTopmost(ctx);
  return LoadResult::Running;
}

// Shutdown's writes. Each step stands alone: one that fails does not keep
// the next from being tried.
void SaveDisplaySettings(AppContext& ctx) {
  const StartupRecord& record = ctx.startup;
  // A run that could not read the file knows nothing it could write back.
  if (record.settingsUnreadable) return;
  SettingsAccess settings(ctx);
  const AppState& s = ctx.state;
  auto attempt = [](auto step) {
    try {
      step();
    } catch (const std::exception&) {
    }
  };

  const QPoint pos = ctx.windows.frmMain->frameGeometry().topLeft();
  attempt([&] {
    if (record.positionKeysToSave >= 1)
      settings.TryWrite(settings::FormatSingle(static_cast<float>(PixelsToTwips(pos.x()))), u"LEFT",
                        kFrmMain);
  });
  attempt([&] {
    if (record.positionKeysToSave >= 2)
      settings.TryWrite(settings::FormatSingle(static_cast<float>(PixelsToTwips(pos.y()))), u"TOP",
                        kFrmMain);
  });

  // "MyData" in one replacement of the file, in the design's order. Only
  // keys start-up read are written back, so a failed start cannot replace
  // stored values with defaults.
  attempt([&] {
    std::vector<settings::SettingWrite> writes;
    auto ifRead = [&](std::u16string_view key, std::u16string value) {
      if (record.keysRead.count(key)) writes.push_back({kMyData, key, std::move(value)});
    };
    ifRead(u"TIMECASE", s.clockFormat);
    ifRead(u"FUKKI", settings::FormatInteger(s.autoReturnSeconds));
    // The lock is written back only by a run that got past the password:
    // one whose start failed before that must not switch it off.
    auto lockKey = [&](std::u16string_view key, std::u16string value) {
      if (record.lockOpened) ifRead(key, std::move(value));
    };
    lockKey(u"PASSCHK", settings::FormatInteger(s.passwordRequired));
    ifRead(u"WINHYOUJI", s.titleClickDisplay);
    ifRead(u"FNTSIZE", s.fontSizeCode);
    ifRead(u"TIMEFLAG", s.clockOn);
    ifRead(u"WINDOWFLAG", settings::FormatInteger(s.windowOpen));
    ifRead(u"SHYOKAI", settings::FormatInteger(s.firstStartDone));
    // Only where the file has none: a stamp in the file is never replaced,
    // not even by the one this run made (a backup may have been copied into
    // place since), and an empty one would make every stored text
    // undecodable.
    if (!s.installStamp.empty())
      writes.push_back({kMyData, u"HIDUKE", s.installStamp, /*onlyIfMissing=*/true});
    lockKey(u"FSI", settings::FormatInteger(s.wipeOnIntrusion));
    // With the seal that vouches for them; one that cannot be made is
    // emptied, which judges nothing, rather than left contradicting them.
    if (record.lockOpened) writes.push_back({kMyData, u"FUUIN", MakeSealFromStored(ctx)});
    // A number that start-up could not use gets its default back (each of
    // them is 0, which switches nothing on), or every start would fail on
    // it.
    if (!record.unusableKey.empty()) writes.push_back({kMyData, record.unusableKey, u"0"});
    settings.TryWriteAll(writes);
  });
}

}  // namespace

LoadResult MainFormLoad(AppContext& ctx) {
  // Another copy for this user: say so and leave without touching anything.
  if (!ctx.services.instanceLock.TryAcquire()) {
    ctx.services.messages.Beep();
    ShowMessage(ctx, QStringLiteral("すでにプログラムが起動されています"), MsgIcon::Warning,
                MsgButtons::Ok, BoxStyle::kSystemModal);
    return LoadResult::Terminate;
  }
  LoadResult result = LoadResult::Running;
  RunCommand(ctx, QStringLiteral("メインフォームロード時にエラーしました"),
             [&](SettingsAccess& settings) { result = RunStartupSteps(ctx, settings); });
  return result;
}

void MainFormQueryUnload(AppContext& ctx) {
  StartupRecord& record = ctx.startup;
  if (record.shutdownDone) return;
  record.shutdownDone = true;
  SaveDisplaySettings(ctx);
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
