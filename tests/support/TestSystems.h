#pragma once

#include "document/SystemDocument.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Ready-made systems and files for tests: a document with named matches and a prediction, its
// integral system enumerated; column lists; file contents.
namespace TestSystems {

// `signs` holds the 13 sign fields; teams are "CASA i" / "OSPITE i".
SystemDocument withPrediction(const QStringList& signs,
                              const QString& name = QStringLiteral("Prova"));

// Two doubles and a triple among fixed signs: 12 columns.
extern const QStringList Prediction;
// Thirteen triples.
QStringList allTriples();

// Columns from their 13-sign texts, in the order given.
ColumnBuffer columnsOf(const QList<QByteArray>& texts);
// `count` columns of random signs, the same for the same seed.
ColumnBuffer randomColumns(qsizetype count, quint32 seed);
// The texts of every column, one a line.
QByteArray columnsText(const ColumnBuffer& columns);

QByteArray fileContent(const QString& path);
bool writeBytes(const QString& path, const QByteArray& bytes);
// The names of the files in a folder, sorted.
QStringList filesIn(const QString& folder);

} // namespace TestSystems
