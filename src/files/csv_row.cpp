#include "files/csv_row.h"

namespace rqm27 {

namespace {

bool NeedsQuotes(const QString& field) {
  return field.contains(u',') || field.contains(u'"') || field.contains(u'\r') ||
         field.contains(u'\n');
}

QString CsvField(QString field, CsvQuoting quoting) {
  if (quoting == CsvQuoting::WhenNeeded && !NeedsQuotes(field)) return field;
  field.replace(u'"', QStringLiteral("\"\""));
  return u'"' + field + u'"';
}

}  // namespace

QString CsvRow(const QStringList& fields, CsvQuoting quoting) {
  QStringList written;
  for (const QString& field : fields) written << CsvField(field, quoting);
  return written.join(u',') + QStringLiteral("\r\n");
}

}  // namespace rqm27
