// Writing one row of comma-separated text as RFC 4180 has it: fields joined by commas, the row
// ended by CR LF, a quoted field holding its quotation marks doubled.
#pragma once

#include <QString>
#include <QStringList>

namespace rqm27 {

// Every field quoted (the program's own channel list), or only the fields that hold a comma,
// a quotation mark or a line break (the multi-radio list).
enum class CsvQuoting { Always, WhenNeeded };

QString CsvRow(const QStringList& fields, CsvQuoting quoting);

}  // namespace rqm27
