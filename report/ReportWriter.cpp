// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/ReportWriter.h"

#include "bank/Cp1251.h"
#include "bank/KtError.h"
#include "report/ReportLabels.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace kt {
namespace {

KtError fileError(const QString& path, const QString& reason) {
    return KtError(reportWriteErrorText(path, reason));
}

// CR LF becomes LF in one pass: a report of many megabytes must open at once,
// and a general replace is far slower on such texts.
QString withLineFeeds(const QString& text) {
    QString out(text.size(), Qt::Uninitialized);
    QChar* dst = out.data();
    const QChar* src = text.constData();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i)
        if (!(src[i] == u'\r' && i + 1 < n && src[i + 1] == u'\n'))
            *dst++ = src[i];
    out.truncate(dst - out.constData());
    return out;
}

} // namespace

QString reportFileName() {
    return QStringLiteral("TestData.dat");
}

QString reportWriteErrorText(const QString& path, const QString& reason) {
    return QStringLiteral("Ошибка записи файла отчета \"%1\": %2")
        .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()), reason);
}

QByteArray reportBlockBytes(const ReportBlock& b) {
    const ReportLabels& l = reportLabels();
    const QStringList lines = {
        l.lines[0],
        l.lines[1] + b.studentName,
        l.lines[2] + b.percent,
        l.lines[3] + b.date,
        l.lines[4] + b.time,
        l.lines[5] + b.timeLeft,
        b.bankSizeLine, // the settings screen's own line, label included
        l.lines[7] + b.count,
        l.lines[8] + b.from + l.rangeMiddle + b.to,
        l.lines[9] + b.minutes + l.minutesSuffix,
    };
    QByteArray out;
    for (const QString& line : lines)
        out += encodeCp1251(line) + QByteArrayLiteral("\r\n");
    return out;
}

void appendReport(const QString& path, const QByteArray& bytes, const ReportFileOptions& options) {
    try {
        appendToReportFile(path, bytes, options);
    } catch (const KtError& e) {
        throw fileError(path, e.message());
    }
}

void ensureReportFile(const QString& path) {
    try {
        checkReportFile(path);
    } catch (const KtError& e) {
        throw fileError(path, e.message());
    }
}

QString readReport(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw KtError(
            QStringLiteral("Ошибка чтения файла отчета \"%1\": %2").arg(path, file.errorString()));
    return withLineFeeds(decodeCp1251(file.readAll()));
}

} // namespace kt
