// The memory the simulated receiver holds when it is given none: a receiver with default
// settings and banks, a few dozen channels named in English and Japanese across the memory
// banks, program-scan edges, dual-watch, priority and pass channels, an opening title, two
// drawn icons and memory protection "Allow".
#pragma once

#include "model/clone_image.h"

#include <QByteArray>

namespace rqm27 {

// The image a full read of the demo memory gives.
CloneImage DemoImage();

// 131072 bytes: DemoImage() written onto a blank receiver, with the fixed preset channels in
// place and the memory-protect byte 1.
QByteArray DemoMemory();

}  // namespace rqm27
