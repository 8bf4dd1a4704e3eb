#include "codec/channel_record.h"
#include "link/port.h"
