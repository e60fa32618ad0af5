// The seal: what the program itself last stored about the lock, enciphered
// under "FUUIN" and always written in the same replacement of the file as
// the keys it vouches for. Start-up compares it with the file to recognise
// a lock weakened by hand, and never anything the program or an older copy
// of it does with the file: a wipe cannot be undone.

#include <cstdint>
#include <optional>
#include <vector>

#include "app/AppContext.h"
#include "app/Command.h"
#include "cipher/Cipher.h"
#include "lock/Lock.h"
#include "settings/Settings.h"

namespace kirimo {

namespace {

constexpr std::u16string_view kSealKey = u"FUUIN";
constexpr std::size_t kChecksumDigits = 8;
// The two option digits and the checksum come before the password.
constexpr std::size_t kPasswordStart = 2 + kChecksumDigits;

struct Seal {
  bool passwordRequired = false;
  bool wipeOnIntrusion = false;
  std::u16string checksum;
  std::u16string password;
  ~Seal() { WipeText(password); }
};

// FNV-1a over both stored texts, told apart by a unit no stored text holds.
std::u16string Checksum(std::u16string_view first, std::u16string_view second) {
  std::uint32_t hash = 2166136261u;
  auto add = [&](char16_t unit) {
    hash = (hash ^ (unit & 0xFFu)) * 16777619u;
    hash = (hash ^ (unit >> 8)) * 16777619u;
  };
  for (char16_t unit : first) add(unit);
  add(u'\uFFFF');
  for (char16_t unit : second) add(unit);
  std::u16string digits;
  for (int shift = 28; shift >= 0; shift -= 4)
    digits += u"0123456789ABCDEF"[(hash >> shift) & 0xFu];
  return digits;
}

// The seal's cipher says nothing: a seal that cannot be made or read is no
// reason for a message, only for no judgement.
template <typename Step>
std::u16string Silently(AppContext& ctx, bool& failed, Step step) {
  const FailureReporter report = [&failed](const std::u16string&) { failed = true; };
  const CipherContext cipher{ctx.state.installStamp, ctx.services.random, report};
  return step(cipher);
}

std::u16string Encode(AppContext& ctx, std::u16string_view plain, bool& failed) {
  return Silently(ctx, failed, [&](const CipherContext& c) { return EncodeText(plain, c); });
}

std::u16string Decode(AppContext& ctx, std::u16string_view stored, bool& failed) {
  return Silently(ctx, failed, [&](const CipherContext& c) { return DecodeText(stored, c); });
}

std::u16string SealFor(AppContext& ctx, bool passwordRequired, bool wipeOnIntrusion,
                       std::u16string_view plainPassword, std::u16string_view storedFirst,
                       std::u16string_view storedSecond) {
  std::u16string plain;
  const WipeAtExit wipePlain(plain);
  plain += passwordRequired ? u'1' : u'0';
  plain += wipeOnIntrusion ? u'1' : u'0';
  plain += Checksum(storedFirst, storedSecond);
  plain += plainPassword;
  bool failed = false;
  std::u16string seal = Encode(ctx, plain, failed);
  return failed ? std::u16string() : seal;
}

std::optional<Seal> OpenSeal(AppContext& ctx, std::u16string_view stored) {
  bool failed = false;
  std::u16string plain = Decode(ctx, stored, failed);
  const WipeAtExit wipePlain(plain);
  auto isFlag = [](char16_t c) { return c == u'0' || c == u'1'; };
  if (failed || plain.size() < kPasswordStart || !isFlag(plain[0]) || !isFlag(plain[1]))
    return std::nullopt;
  Seal seal;
  seal.passwordRequired = plain[0] == u'1';
  seal.wipeOnIntrusion = plain[1] == u'1';
  seal.checksum = plain.substr(2, kChecksumDigits);
  seal.password = plain.substr(kPasswordStart);
  return seal;
}

// Puts back the lock the seal vouches for, so that the next start asks for
// the password exactly as before; all in one write, with a seal of its own.
void PutLockBack(AppContext& ctx, const SettingsAccess& settings, const Seal& seal) {
  bool failed = false;
  const std::u16string first = Encode(ctx, seal.password, failed);
  const std::u16string second = Encode(ctx, seal.password, failed);
  if (failed) return;
  const std::u16string renewed =
      SealFor(ctx, seal.passwordRequired, seal.wipeOnIntrusion, seal.password, first, second);
  if (renewed.empty()) return;
  using settings::kMyData;
  const settings::SettingWrite writes[] = {
      {kMyData, u"PASSCHK", seal.passwordRequired ? u"1" : u"0"},
      {kMyData, u"DAIMEI0", first},
      {kMyData, u"SETTEI", second},
      {kMyData, u"FSI", seal.wipeOnIntrusion ? u"1" : u"0"},
      {kMyData, kSealKey, renewed},
  };
  settings.TryWriteAll(writes);
}

}  // namespace

std::u16string MakeSeal(AppContext& ctx, std::u16string_view plainPassword,
                        std::u16string_view storedFirst, std::u16string_view storedSecond) {
  const AppState& s = ctx.state;
  return SealFor(ctx, s.passwordRequired == 1, s.wipeOnIntrusion == 1, plainPassword, storedFirst,
                 storedSecond);
}

std::u16string MakeSealFromStored(AppContext& ctx) {
  const AppState& s = ctx.state;
  bool failed = false;
  std::u16string password = Decode(ctx, s.passwordCopy, failed);
  const WipeAtExit wipePassword(password);
  if (failed) return {};
  return MakeSeal(ctx, password, s.storedPassword, s.passwordCopy);
}

bool StopIntrusion(AppContext& ctx, const SettingsAccess& settings) {
  const AppState& s = ctx.state;
  // A file without a seal (a first start, or one only an older copy has
  // written) is judged by nothing; it gets its seal at the next write. So is
  // one whose seal does not open: a damaged file is no intruder.
  const std::u16string stored = settings.ReadStored(kSealKey);
  if (stored.empty()) return false;
  const std::optional<Seal> seal = OpenSeal(ctx, stored);
  if (!seal) return false;

  // Neither this program nor an older copy ever empties a password once
  // set, and both always store the two copies together; only a hand edit
  // leaves a copy empty or unreadable under a sealed password. Either would
  // let the next entry in the dialog become the password.
  auto yieldsPassword = [&](std::u16string_view stored) {
    bool failed = false;
    std::u16string plain = Decode(ctx, stored, failed);
    const bool yields = !failed && !plain.empty();
    WipeText(plain);
    return yields;
  };
  const bool passwordRemoved = !seal->password.empty() && !(yieldsPassword(s.storedPassword) &&
                                                            yieldsPassword(s.passwordCopy));
  // Other stored texts mean an older copy has started with this file (it
  // stores both copies anew at every start), and its choices stand. The same
  // texts with a weaker lock can only be a hand edit.
  const bool sameTexts = Checksum(s.storedPassword, s.passwordCopy) == seal->checksum;
  const bool lockWeakened = (seal->passwordRequired && s.passwordRequired != 1) ||
                            (seal->wipeOnIntrusion && s.wipeOnIntrusion != 1);
  if (!passwordRemoved && !(sameTexts && lockWeakened)) return false;

  if (seal->wipeOnIntrusion || s.wipeOnIntrusion == 1) WipeAllMemos(ctx);
  PutLockBack(ctx, settings, *seal);
  return true;
}

}  // namespace kirimo
