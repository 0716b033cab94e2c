#include "pages/csv_text.h"

namespace vor {

QString CsvField(const QString& text) {
  const bool quote = text.contains(u',') || text.contains(u'"') || text.contains(u'\n') ||
                     text.contains(u'\r') || text.startsWith(u' ') || text.endsWith(u' ');
  if (!quote) return text;
  QString quoted = text;
  quoted.replace(u'"', QStringLiteral("\"\""));
  return u'"' + quoted + u'"';
}

}  // namespace vor
