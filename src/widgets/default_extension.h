// A name typed into a save dialog without an extension gets the dialog's default one.
#pragma once

#include <QString>

namespace rqm27 {

// The path with ".suffix" added when its file name has no extension.
QString WithDefaultExtension(const QString& path, const QString& suffix);

}  // namespace rqm27
