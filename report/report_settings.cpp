#include "report/report_settings.h"

#include <QLocale>
#include <QSettings>

namespace vor {
namespace {

constexpr auto kWorkshop = "report/workshop";
constexpr auto kTechnician = "report/technician";
constexpr auto kPaper = "report/paper";

}  // namespace

std::optional<ReportPaper> PaperNamed(const QString& name) {
  if (name.compare(u"a4", Qt::CaseInsensitive) == 0) return ReportPaper::A4;
  if (name.compare(u"letter", Qt::CaseInsensitive) == 0) return ReportPaper::Letter;
  return std::nullopt;
}

QString PaperName(ReportPaper paper) {
  return paper == ReportPaper::Letter ? QStringLiteral("letter") : QStringLiteral("a4");
}

ReportDetails LoadReportDetails(QSettings& settings) {
  ReportDetails details;
  details.workshop = settings.value(kWorkshop).toString();
  details.technician = settings.value(kTechnician).toString();
  details.paper =
      PaperNamed(settings.value(kPaper).toString()).value_or(PaperOfLocale(QLocale::system()));
  return details;
}

void SaveReportDetails(QSettings& settings, const ReportDetails& details) {
  settings.setValue(kWorkshop, details.workshop.trimmed());
  settings.setValue(kTechnician, details.technician.trimmed());
  settings.setValue(kPaper, PaperName(details.paper));
}

}  // namespace vor
