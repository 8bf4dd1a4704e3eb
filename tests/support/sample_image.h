// Images with something in every area, for tests that move whole images around.
#pragma once

#include "model/clone_image.h"

#include <QByteArray>

#include <ostream>

namespace rqm27 {
// How a failing expectation shows a channel: its cells as the grid shows them.
void PrintTo(const ChannelSlot& slot, std::ostream* out);
}  // namespace rqm27

namespace rqm27::testing {

// A start-up image with channels of every kind (memory, program-scan, dual-watch, priority,
// pass), Japanese and English names, a changed bank table, one-touch memories, a title,
// settings, groups and icons.
CloneImage SampleImage();

// One used channel with the given frequency (in units of 10 Hz) and name.
ChannelSlot SampleChannel(std::int32_t frequency, const QString& name);

// A memory image of pseudo-random bytes (repeatable for a seed).
QByteArray RandomMemory(unsigned seed);

// What a receiver holding RandomMemory(seed) holds after a full write of the sample image, its
// memory-protect byte set to an entry other than the image's (a write must leave it alone).
QByteArray SampleMemory(unsigned seed);

// How many of slots 1-1700 a memory image uses; -1 when it cannot be decoded.
int UsedChannels(const QByteArray& memory);

// Writes bytes to a file, failing the test when it cannot.
void WriteFile(const QString& path, const QByteArray& bytes);
QByteArray ReadFile(const QString& path);

}  // namespace rqm27::testing
