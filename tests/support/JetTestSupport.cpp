// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/JetTestSupport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QtEndian>
#include <stdexcept>

namespace kt::test {
namespace {

constexpr int kPage = 4096;

Values jsonValues(const QJsonArray& array) {
    Values values;
    for (const QJsonValue& v : array)
        values.push_back(v.isNull() ? std::nullopt : std::optional<QString>(v.toString()));
    return values;
}

NodeTable parseNodeOutput(const QByteArray& json) {
    const QJsonObject o = QJsonDocument::fromJson(json).object();
    NodeTable t;
    for (const QJsonValue& v : o.value(QStringLiteral("tables")).toArray())
        t.tables << v.toString();
    t.rowCount = o.value(QStringLiteral("rowCount")).toInt(-1);
    for (const QJsonValue& v : o.value(QStringLiteral("columns")).toArray()) {
        const QJsonObject c = v.toObject();
        t.columns.push_back({c.value(QStringLiteral("name")).toString(),
                             c.value(QStringLiteral("type")).toString(),
                             c.value(QStringLiteral("size")).toInt(),
                             c.value(QStringLiteral("autoLong")).toBool()});
    }
    for (const QJsonValue& v : o.value(QStringLiteral("rows")).toArray())
        t.rows.push_back(jsonValues(v.toArray()));
    return t;
}

} // namespace

NodeTable readWithNode(const QString& file, const QString& table) {
    const QString node = QStandardPaths::findExecutable(QStringLiteral("node"));
    if (node.isEmpty())
        throw std::runtime_error("node is not installed");
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TZ"), QStringLiteral("UTC"));
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(QStringLiteral(KT_JET_NODE_DIR));
    p.start(node, {QStringLiteral(KT_JET_NODE_DIR "/readback.mjs"), file, table});
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        throw std::runtime_error("node failed: " + p.readAllStandardError().toStdString());
    return parseNodeOutput(p.readAllStandardOutput());
}

ProcessResult runQbank(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(KT_QBANK), args);
    ProcessResult r;
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit)
        return r;
    r.exitCode = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

void writeUtf8(const QString& path, const QString& text) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(text.toUtf8()) < 0)
        throw std::runtime_error("cannot write " + path.toStdString());
}

QByteArray readBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

int dataPagesOf(const QString& path, int tdefPage) {
    const QByteArray file = readBytes(path);
    int count = 0;
    for (int at = kPage; at + kPage <= file.size(); at += kPage)
        if (file[at] == 0x01 &&
            qFromLittleEndian<quint32>(file.constData() + at + 4) == static_cast<quint32>(tdefPage))
            ++count;
    return count;
}

int usageMapType(const QString& path, int tdefPage) {
    const QByteArray file = readBytes(path);
    const quint32 pointer = qFromLittleEndian<quint32>(file.constData() + tdefPage * kPage + 55);
    const int page = static_cast<int>(pointer >> 8) * kPage;
    const int row = static_cast<int>(pointer & 0xFF);
    const quint16 start = qFromLittleEndian<quint16>(file.constData() + page + 14 + 2 * row);
    return static_cast<unsigned char>(file[page + start]);
}

QString cyrillicText(int n, int seed) {
    QString s;
    for (int i = 0; i < n; ++i) {
        const int k = (seed * 31 + i * 7) % 40;
        s.append(k < 32 ? QChar(0x0430 + k) : QChar(u'0' + (k - 32)));
    }
    return s;
}

} // namespace kt::test
