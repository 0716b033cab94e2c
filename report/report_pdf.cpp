#include "report/report_pdf.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFont>
#include <QLocale>
#include <QPageLayout>
#include <QPdfWriter>
#include <QTextDocument>

#include "files/file_save.h"

namespace vor {
namespace {

struct ReportPdf {
  Q_DECLARE_TR_FUNCTIONS(vor::ReportPdf)
};

}  // namespace

ReportPaper PaperOfLocale(const QLocale& locale) {
  // QLocale knows the measurement system, not the paper; the countries that use Letter are the
  // ones of the imperial system and their neighbours.
  switch (locale.territory()) {
    case QLocale::UnitedStates:
    case QLocale::Canada:
    case QLocale::Mexico:
    case QLocale::Chile:
    case QLocale::Colombia:
    case QLocale::Venezuela:
    case QLocale::Philippines:
      return ReportPaper::Letter;
    default:
      return ReportPaper::A4;
  }
}

bool SaveVisitReportPdf(const VisitReport& report, ReportPaper paper, const QString& path,
                        QString& error) {
  QByteArray pdf;
  {
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setTitle(QCoreApplication::translate("vor::VisitReport", "Service Report"));
    writer.setCreator(QStringLiteral("VOR User %1").arg(QCoreApplication::applicationVersion()));
    writer.setPageSize(QPageSize(paper == ReportPaper::Letter ? QPageSize::Letter : QPageSize::A4));
    writer.setPageMargins(QMarginsF(18, 15, 18, 15), QPageLayout::Millimeter);

    QTextDocument document;
    // Faces with Latin and Chinese glyphs on Linux and Windows: the first one installed that
    // has a character draws it, and the PDF embeds what was drawn.
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("WenQuanYi Micro Hei"),
                      QStringLiteral("Segoe UI"), QStringLiteral("Microsoft YaHei"),
                      QStringLiteral("SimSun")});
    font.setPointSizeF(9);
    // No ligatures: a reader that copies "verified" out of the PDF gets the letters, not a glyph
    // standing for "fi".
    font.setStyleStrategy(QFont::PreferNoShaping);
    document.setDefaultFont(font);
    document.setHtml(VisitReportText::Html(report));
    document.print(&writer);
  }
  if (pdf.isEmpty()) {
    error = ReportPdf::tr("the report could not be made");
    return false;
  }
  QString reason;
  if (!SaveFile(path, pdf, reason)) {
    error = ReportPdf::tr("cannot write %1: %2").arg(path, reason);
    return false;
  }
  return true;
}

}  // namespace vor
