// The differences between two images on stdout, as diff and verify print them: one line each,
// or a JSON array.
#pragma once

#include "model/image_diff.h"

namespace rqm27::cli {

void PrintDifferences(const ImageDifferences& differences, bool json);

// Prints a one-line error and returns the status of trouble, 2, which diff and verify give
// when they cannot compare.
int FailTrouble(const QString& message);

}  // namespace rqm27::cli
