// A recalled memo is marked secret for clipboard history tools, and still
// pastes as plain text.

#include <QMimeData>

#include "MemoFixture.h"

namespace kirimo::testing {
namespace {

using ClipboardSecretTest = MemoFixture;

TEST_F(ClipboardSecretTest, RecalledContentCarriesTheSecretHintBesideItsText) {
  StartWith({{2, u"口座", u"1234-567"}});
  Click("cmdMemo2");
  const QMimeData* data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->text(), QStringLiteral("1234-567"));
  EXPECT_EQ(data->data(QStringLiteral("x-kde-passwordManagerHint")), QByteArray("secret"));
  // Nothing else the history tools could read the memo from.
  QStringList formats = data->formats();
  formats.sort();
  EXPECT_EQ(formats, (QStringList{"text/plain", "x-kde-passwordManagerHint"}));
}

}  // namespace
}  // namespace kirimo::testing
