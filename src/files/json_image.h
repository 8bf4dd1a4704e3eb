// The image as JSON (UTF-8), for reading and editing by people and scripts:
//
//   {
//     "channels": [ {"slot": 1, "label": "Bank00-000", "frequency": "145.00000MHz",
//                    "mode": "FM", "step": "5KHz", "carrier": "Jp.Rail", "subtone": "None",
//                    "txTone": "88.5Hz", "tsq": "88.5Hz", "dcs": "023", "shift": "Off",
//                    "shiftFreq": "0.00000MHz", "skip": "", "name": "ABC"}, ... ],
//     "banks": [100, 100, ..., 0],                      50 counts
//     "oneTouch": [{"set": true, "bank": 0, "channel": 5}, {"set": false}, ...],   nine
//     "title": "WELCOME",
//     "bankLinks": ["0000000000000000", ..., "0000000000000080"],                  eleven
//     "settings": {"Set_Mode_Recv": [1, 0, 0, 0, 0, 1, 0], ...},       one array per list
//     "icons": ["0000...", ...],                          eight glyphs, 64 hex digits each
//     "comPort": 1
//   }
//
// Channels lists the used slots in slot order, each text as the grid shows it. "label" is
// written for the reader's benefit and ignored when read. A name (or the title) whose codes
// have no text form (codes that are not characters of the code page) also carries
// "nameCodes" ("titleCodes"): the 32 bytes as 64 hexadecimal digits, which win when read.
#pragma once

#include "model/clone_image.h"
#include "model/result.h"

#include <QByteArray>

namespace rqm27 {

QByteArray WriteJsonImage(const CloneImage& image);

// Reads a JSON image into a start-up image. Every value is checked against its table or range;
// the first bad one is named by its path, e.g. `channels[3].step: unknown step "7KHz"`.
// An area left out keeps its start-up value.
Result<CloneImage> ReadJsonImage(const QByteArray& json);

}  // namespace rqm27
