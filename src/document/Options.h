#pragma once

#include <QString>

#include <array>

// The seven application settings of Opzioni.sys: systems folder, column cost, default shares,
// two statistics defaults, one stored-only value, and whether the properties open after Open.
struct Options {
    static constexpr int Count = 7;
    enum Index {
        SystemsFolder = 0,
        ColumnCost = 1,
        DefaultShares = 2,
        StatsLastColumns = 3,
        StatsSeason = 4,
        Reserved = 5,
        ShowPropertiesOnOpen = 6
    };

    std::array<QString, Count> values;

    const QString& operator[](int index) const { return values[index]; }
    QString& operator[](int index) { return values[index]; }

    // The cost of one column: entry 1 read as a number.
    double columnCost() const;
    // Entry 2 converted to a byte (as the shares after a reset).
    quint8 defaultQuote() const;

    // The texts the options dialog shows when there is no file yet.
    static Options dialogDefaults(const QString& systemsFolder);

    // The column cost field takes four characters of digits and a full stop.
    static constexpr double MaxColumnCost = 9999;

    static QString fileName() { return QStringLiteral("Opzioni.sys"); }
    // Missing values fall back to the dialog's defaults. False when the file does not exist or
    // is refused (a cost outside 0..MaxColumnCost, default shares negative or not finite, anything
    // a line edit could not have written); `error` then tells why in Italian, empty when the file
    // is missing, and the options are left as they were.
    bool read(const QString& path, const QString& defaultSystemsFolder, QString* error = nullptr);
    bool write(const QString& path, QString* error = nullptr) const;
};

// Converts a number to a byte as legacy code does: rounded, and 0 when it does not fit.
quint8 toByte(double value, bool* overflow = nullptr);
