#include "support/TestSystems.h"

#include "document/IntegralGenerator.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

namespace TestSystems {

const QStringList Prediction = {"1X", "12X", "2", "X", "1", "X2", "1",
                                "2",  "X",   "1", "2", "X", "1"};

SystemDocument withPrediction(const QStringList& signs, const QString& name)
{
    SystemDocument document;
    document.SystemName = name;
    std::array<QString, 13> fields;
    for (int i = 1; i <= SystemDocument::Matches; ++i) {
        document.setHomeTeam(i, QStringLiteral("CASA %1").arg(i));
        document.setAwayTeam(i, QStringLiteral("OSPITE %1").arg(i));
        document.setSigns(i, signs.value(i - 1));
        fields[i - 1] = signs.value(i - 1);
    }
    document.IntegralCount = IntegralGenerator::integralCount(fields);
    document.IntegralColumns = IntegralGenerator::generate(fields);
    document.countSigns();
    document.countKinds();
    return document;
}

QStringList allTriples()
{
    return QStringList(13, QStringLiteral("1X2"));
}

ColumnBuffer columnsOf(const QList<QByteArray>& texts)
{
    ColumnBuffer columns;
    for (const QByteArray& text : texts)
        columns.append(text);
    return columns;
}

ColumnBuffer randomColumns(qsizetype count, quint32 seed)
{
    QRandomGenerator random(seed);
    ColumnBuffer columns;
    QByteArray column(ColumnBuffer::Width, '1');
    for (qsizetype i = 0; i < count; ++i) {
        for (char& sign : column)
            sign = "1X2"[random.bounded(3)];
        columns.append(column);
    }
    return columns;
}

QByteArray columnsText(const ColumnBuffer& columns)
{
    QByteArray text;
    for (qsizetype i = 0; i < columns.count(); ++i)
        text += columns.column(i).toByteArray() + '\n';
    return text;
}

QByteArray fileContent(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

} // namespace TestSystems
