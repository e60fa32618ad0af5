#include "window/Topmost.h"

#include "app/AppContext.h"

namespace kirimo {

// The floating window and the always-on-top commands arrive with their own
// work; until then there is nothing on top to lift.
void SuspendTopmost(AppContext&) {}
void RestoreTopmost(AppContext&) {}
void ApplyMainTopmost(AppContext&) {}
void ApplyWindowTopmost(AppContext&) {}
void ApplyFontSize(AppContext&) {}

QString FontSizeCaption(std::u16string_view code) {
  if (code == u"a") return QStringLiteral("フォントサイズ 10");
  if (code == u"b") return QStringLiteral("フォントサイズ 12");
  if (code == u"c") return QStringLiteral("フォントサイズ 16");
  if (code == u"d") return QStringLiteral("フォントサイズ 20");
  if (code == u"e") return QStringLiteral("フォントサイズ 24");
  return {};
}

}  // namespace kirimo
