// The summary `rqm27-cli show --json` prints: the used channels with the texts the grid shows,
// the banks, the one-touch memories, the title, the groups, the settings and the icons.
#pragma once

#include "model/clone_image.h"

#include <QJsonObject>
#include <QStringList>

namespace rqm27::cli {

QJsonObject ImageSummaryJson(const CloneImage& image, const QStringList& rowLabels);

}  // namespace rqm27::cli
