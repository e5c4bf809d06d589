#pragma once
// Opening a document or a link with the desktop's own application. The call does not wait,
// and a failure (no such file, no handler, no mail program) is ignored, as the handheld's
// menu and links always did.

#include <QString>

namespace floemark::app {

// A path relative to the working directory (".\README.TXT" or "README.TXT").
void ShellOpenDocument(const QString& relativePath);
// A web address or a "mailto:" link.
void ShellOpenLink(const QString& link);

}  // namespace floemark::app
