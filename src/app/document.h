// What the main window edits: the one clone image, the file it was last kept in and whether it
// holds changes that no file has yet.
#pragma once

#include "model/clone_image.h"

#include <QString>

namespace rqm27 {

struct Document {
  CloneImage image = StartupImage();
  // The file last opened, saved, imported or exported; empty before the first.
  QString path;
  bool modified = false;
};

}  // namespace rqm27
