#include "report/ui/uReportWriter.h"

#include "report/ui/uReportPage.h"

#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace {

constexpr double ImageDotsPerInch = 150;
constexpr double PointsPerInch = 72;

bool WritePdf(const TDriveReport &report, QSaveFile &file)
{
    QPdfWriter pdf(&file);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageOrientation(QPageLayout::Landscape);
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setResolution(int(PointsPerInch));
    pdf.setTitle(QStringLiteral("Drive report: %1").arg(report.FileName));
    pdf.setCreator(QStringLiteral("Logger TELQAR"));
    QPainter painter;
    if (!painter.begin(&pdf))
        return false;
    for (int page = 0; page < ReportPage::Count(report); ++page) {
        if (page > 0)
            pdf.newPage();
        ReportPage::Paint(painter, report, page);
    }
    return painter.end();
}

bool WritePng(const TDriveReport &report, QSaveFile &file)
{
    const double scale = ImageDotsPerInch / PointsPerInch;
    QImage image((ReportPage::Size * scale).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.setDotsPerMeterX(int(ImageDotsPerInch / 0.0254));
    image.setDotsPerMeterY(int(ImageDotsPerInch / 0.0254));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    ReportPage::Paint(painter, report, 0);
    painter.end();
    return image.save(&file, "PNG");
}

}  // namespace

bool WriteDriveReport(const TDriveReport &report, const QString &path, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    const bool image = path.endsWith(QLatin1String(".png"), Qt::CaseInsensitive);
    if (!(image ? WritePng(report, file) : WritePdf(report, file)) || !file.commit()) {
        *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}
