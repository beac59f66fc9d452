#pragma once

#include <QString>
#include <QStringView>

namespace dedizo::html_detail {

// Decodes the character references of text. When something was replaced, the
// decoded text is appended to out and true is returned; otherwise out is left
// alone and the text stands as it is.
bool appendDecodedEntities(QStringView text, QString& out);

} // namespace dedizo::html_detail
