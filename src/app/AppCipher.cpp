#include "app/AppCipher.h"

#include "app/AppContext.h"
#include "cipher/Cipher.h"

namespace kirimo {

namespace {

template <typename Step>
std::u16string WithCipher(AppContext& ctx, Step step) {
  const FailureReporter report = [&ctx](const std::u16string& message) {
    ShowMessage(ctx, QString::fromStdU16String(message), MsgIcon::Warning);
  };
  const CipherContext cipher{ctx.state.installStamp, ctx.services.random, report};
  return step(cipher);
}

}  // namespace

std::u16string EncodeStored(AppContext& ctx, std::u16string_view plain) {
  return WithCipher(ctx, [&](const CipherContext& c) { return EncodeText(plain, c); });
}

std::u16string DecodeStored(AppContext& ctx, std::u16string_view stored) {
  return WithCipher(ctx, [&](const CipherContext& c) { return DecodeText(stored, c); });
}

}  // namespace kirimo
